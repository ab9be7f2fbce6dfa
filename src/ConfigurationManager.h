// ConfigurationManager: the "Name=Value" line format of "tw.cfg".
//
// A line ends at its first line feed, carriage return or tab; ';' or a line
// feed in the first column makes a comment; the line splits at its first '=';
// nothing is trimmed.  Names compare without regard to case and the last line
// of a name wins.  The client's own keys and defaults are applied elsewhere;
// this is the generic reader and writer.
#pragma once

class ConfigurationItem {
public:
    ConfigurationItem() = default;
    ~ConfigurationItem();
    ConfigurationItem(const ConfigurationItem&) = delete;
    ConfigurationItem& operator=(const ConfigurationItem&) = delete;

    void parseAndSet(const char* line);
    void set(const char* name, const char* value);

    const char* getName() const { return name_; }
    const char* getValue() const { return value_; }
    long getValueAsInt() const;

    ConfigurationItem* next = nullptr;

private:
    void clear();

    char* name_ = nullptr;
    char* value_ = nullptr;
};

class ConfigurationManager {
public:
    static void startup();
    static void shutdown();

    static bool loadFromFile(const char* fileName);
    static bool saveToFile();
    static void report();

    static bool findNext(const char* name, ConfigurationItem** cursor);
    static bool findFirst(const char* name, ConfigurationItem** item);
    static bool findLast(const char* name, ConfigurationItem** item);
    static const char* getValue(const char* name);

    // Takes ownership; refuses (and deletes) an item without name or value.
    static void addToList(ConfigurationItem* item);
    static ConfigurationItem* first();

    // Test support: drop every item.
    static void reset();
};
