#include "ConfigurationManager.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FileManager.h"
#include "TWReport.h"

namespace {

// Process lifetime: the items are never removed during a run.
bool s_started = false;
ConfigurationItem* s_head = nullptr;
ConfigurationItem* s_tail = nullptr;
std::vector<char> s_lineBuffer;  // only ever grown

char* copyString(const char* begin, size_t length) {
    char* copy = static_cast<char*>(malloc(length + 1));
    if (!copy) TWReport::fatal("ConfigurationItem: out of memory.\n");
    memcpy(copy, begin, length);
    copy[length] = 0;
    return copy;
}

// Cuts a line at its first line feed, then carriage return, then tab.
void cutLine(char* line) {
    for (const char* stop : {"\n", "\r", "\t"})
        if (char* p = strchr(line, stop[0])) *p = 0;
}

}  // namespace

ConfigurationItem::~ConfigurationItem() {
    clear();
}

void ConfigurationItem::clear() {
    free(name_);
    free(value_);
    name_ = value_ = nullptr;
}

void ConfigurationItem::parseAndSet(const char* line) {
    clear();
    if (!line || line[0] == ';' || line[0] == '\n') return;
    const char* equals = strchr(line, '=');
    if (!equals) {
        TWReport::error("ConfigurationItem::parseAndSet: cannot parse line '%s'\n", line);
        return;
    }
    name_ = copyString(line, static_cast<size_t>(equals - line));
    value_ = copyString(equals + 1, strlen(equals + 1));
}

void ConfigurationItem::set(const char* name, const char* value) {
    clear();
    if (name) name_ = copyString(name, strlen(name));
    if (value) value_ = copyString(value, strlen(value));
}

long ConfigurationItem::getValueAsInt() const {
    return value_ ? strtol(value_, nullptr, 10) : 0;
}

void ConfigurationManager::startup() {
    s_started = true;
}
void ConfigurationManager::shutdown() {
    s_started = false;
}

void ConfigurationManager::reset() {
    while (s_head) {
        ConfigurationItem* next = s_head->next;
        delete s_head;
        s_head = next;
    }
    s_tail = nullptr;
    s_started = false;
    std::vector<char>().swap(s_lineBuffer);
}

ConfigurationItem* ConfigurationManager::first() {
    return s_head;
}

bool ConfigurationManager::loadFromFile(const char* fileName) {
    if (!s_started) TWReport::fatal("ConfigurationManager::loadFromFile: !started\n");
    TWReport::print("ConfigurationManager::loadFromFile: begin. file is '%s'\n", fileName);
    FILE* file = FileManager::open(fileName, "r");
    if (!file)
        TWReport::fatal("ConfigurationManager::loadFromFile: cannot open file '%s'\n", fileName);

    // A line may be as long as the whole file: every line is read whole.
    fseek(file, 0, SEEK_END);
    long size = ftell(file);
    fseek(file, 0, SEEK_SET);
    if (size < 0) size = 0;
    if (static_cast<size_t>(size) + 2 > s_lineBuffer.size())
        s_lineBuffer.resize(static_cast<size_t>(size) + 2);

    TWReport::print("ConfigurationManager::loadFromFile: reading lines...\n");
    while (fgets(s_lineBuffer.data(), static_cast<int>(s_lineBuffer.size()), file)) {
        char* line = s_lineBuffer.data();
        cutLine(line);
        TWReport::print(" %s\n", line);
        auto* item = new ConfigurationItem;
        item->parseAndSet(line);
        addToList(item);
    }
    FileManager::close(file);
    TWReport::print("ConfigurationManager::loadFromFile: end.\n");
    report();
    return true;
}

void ConfigurationManager::addToList(ConfigurationItem* item) {
    if (!item) {
        TWReport::warning(
            "ConfigurationManager::addToList: cannot a NULL 'new_configuration' to the list.\n");
        return;
    }
    if (!item->getName() || !item->getValue()) {
        TWReport::warning(
            "ConfigurationManager::addToList: new_configuration->name == 0 || "
            "new_configuration->value == 0. this is no use to me.\n");
        delete item;
        return;
    }
    item->next = nullptr;
    if (s_tail)
        s_tail->next = item;
    else
        s_head = item;
    s_tail = item;
}

bool ConfigurationManager::findNext(const char* name, ConfigurationItem** cursor) {
    if (!s_head) {
        TWReport::error(
            "ConfigurationManager::findNext: list is empty. there are no configuration items "
            "set.\n");
        *cursor = nullptr;
        return false;
    }
    for (ConfigurationItem* item = *cursor ? (*cursor)->next : s_head; item; item = item->next) {
        if (strcasecmp(item->getName(), name) == 0) {
            *cursor = item;
            return true;
        }
    }
    *cursor = nullptr;
    return false;
}

bool ConfigurationManager::findFirst(const char* name, ConfigurationItem** item) {
    *item = nullptr;
    return findNext(name, item);
}

bool ConfigurationManager::findLast(const char* name, ConfigurationItem** item) {
    ConfigurationItem* cursor = nullptr;
    ConfigurationItem* last = nullptr;
    while (findNext(name, &cursor)) last = cursor;
    *item = last;
    return last != nullptr;
}

const char* ConfigurationManager::getValue(const char* name) {
    ConfigurationItem* item = nullptr;
    return findLast(name, &item) ? item->getValue() : nullptr;
}

void ConfigurationManager::report() {
    if (!s_head) {
        TWReport::print("ConfigurationManager::report: no configurations are set.\n");
        return;
    }
    TWReport::print("ConfigurationManager::report: the following configurations are set:\n");
    for (ConfigurationItem* item = s_head; item; item = item->next)
        TWReport::print(" %s = %s\n", item->getName(), item->getValue());
}

bool ConfigurationManager::saveToFile() {
    if (!s_started) TWReport::fatal("ConfigurationManager::saveToFile: !started\n");
    const char* name = "tw.cfg_test";
    FILE* file = FileManager::open(name, "w");
    if (!file) TWReport::fatal("ConfigurationManager::saveToFile: cannot open file '%s'\n", name);
    if (s_head) {
        TWReport::print("ConfigurationManager::saveToFile: saving...\n");
        for (ConfigurationItem* item = s_head; item; item = item->next)
            fprintf(file, "%s=%s\n", item->getName(), item->getValue());
    } else {
        TWReport::print("ConfigurationManager::saveToFile: no configurations are set.\n");
    }
    FileManager::close(file);
    return true;
}
