// The version-info file and the patch info ("pat") files.
//
// Version-info file, text; tokens are separated by blanks or line ends:
//   version                      unsigned decimal
//   client path                  text handed to the patch command
//   path prefix                  put in front of every downloaded file name
//   a b c d                      the patch server's address, each 0-255
//   port                         0-65535, followed by at least a blank or line end
//   {item-name version}*         to the end of the file, at most 512 pairs
// A "pat" file holds only {item-name version}* pairs.  Names are at most 512
// characters.  Item versions are written unsigned and read signed or unsigned,
// so that every version we write reads back the same.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "PatchClient.h"
#include "TextBufs.h"

namespace {

// Splits a file into blank-separated tokens of bounded length.
class CTokenReader {
public:
    enum Result { TOKEN, END, BAD };

    explicit CTokenReader(FILE* file) : m_file(file) {}

    // TOKEN, END when only blanks are left, BAD on a read error, a token
    // longer than the limit or a NUL byte (it would cut the text short when
    // the file is written back).
    Result Next(std::string& token, size_t limit) {
        token.clear();
        int c;
        do {
            c = getc(m_file);
        } while (c != EOF && IsBlank(c));
        if (c == EOF) {
            m_atEnd = true;
            return ferror(m_file) ? BAD : END;
        }
        while (c != EOF && !IsBlank(c)) {
            if (token.size() >= limit || c == 0) return BAD;
            token.push_back(static_cast<char>(c));
            c = getc(m_file);
        }
        if (c == EOF) {
            m_atEnd = true;
            if (ferror(m_file)) return BAD;
        }
        return TOKEN;
    }

    // True once a read met the end of the file (a token that ends the file
    // without a line end sets it too).
    bool AtEnd() const { return m_atEnd; }

private:
    static bool IsBlank(int c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }

    FILE* m_file;
    bool m_atEnd = false;
};

// A decimal number within [min, max]; an optional sign; nothing else.
bool ParseNumber(const std::string& token, long long min, long long max, long long& value) {
    size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    if (i == token.size()) return false;
    long long v = 0;
    for (; i < token.size(); ++i) {
        if (token[i] < '0' || token[i] > '9') return false;
        v = v * 10 + (token[i] - '0');
        if (v > 0xFFFFFFFFLL + 1) return false;
    }
    if (negative) v = -v;
    if (v < min || v > max) return false;
    value = v;
    return true;
}

bool ReadUnsigned(CTokenReader& in, long long max, unsigned& value) {
    std::string token;
    long long v;
    // The header fields must each be followed by a blank or line end.
    if (in.Next(token, CPatchClient::MAX_NAME_LENGTH) != CTokenReader::TOKEN || in.AtEnd())
        return false;
    if (!ParseNumber(token, 0, max, v)) return false;
    value = static_cast<unsigned>(v);
    return true;
}

bool ReadText(CTokenReader& in, std::string& value) {
    if (in.Next(value, CPatchClient::MAX_NAME_LENGTH) != CTokenReader::TOKEN) return false;
    return !in.AtEnd();
}

// Item versions: signed in the files we are given, unsigned in the files we
// write; both are kept as the same 32 bits.
bool ParseItemVersion(const std::string& token, std::uint32_t& version) {
    long long v;
    if (!ParseNumber(token, -0x80000000LL, 0xFFFFFFFFLL, v)) return false;
    version = static_cast<std::uint32_t>(v);
    return true;
}

struct FileCloser {
    void operator()(FILE* f) const {
        if (f) fclose(f);
    }
};

}  // namespace

bool CPatchClient::ReadVersionInfo(const char* file, std::vector<VersionItem>& items,
                                   unsigned maximum) {
    FILE* f = fopen(file, "r");
    if (!f) return false;
    std::unique_ptr<FILE, FileCloser> closer(f);
    CTokenReader in(f);

    unsigned version, a, b, c, d, port;
    std::string clientPath, pathPrefix;
    if (!ReadUnsigned(in, 0xFFFFFFFFLL, version)) return false;
    if (!ReadText(in, clientPath) || !ReadText(in, pathPrefix)) return false;
    // An address byte above 255 would silently spill into its neighbour.
    if (!ReadUnsigned(in, 255, a) || !ReadUnsigned(in, 255, b) || !ReadUnsigned(in, 255, c) ||
        !ReadUnsigned(in, 255, d))
        return false;
    if (!ReadUnsigned(in, 0xFFFF, port)) return false;

    m_version = version;
    SetClientPath(clientPath.c_str());
    SetPathPrefix(pathPrefix.c_str());
    m_a = a;
    m_b = b;
    m_c = c;
    m_d = d;
    m_address = a << 24 | b << 16 | c << 8 | d;
    m_port = static_cast<unsigned short>(port);

    EmptyList(items);
    std::string name, token;
    while (!in.AtEnd()) {
        CTokenReader::Result r = in.Next(name, MAX_NAME_LENGTH);
        if (r == CTokenReader::END) return true;
        if (r == CTokenReader::BAD) return false;
        VersionItem item;
        item.name = name;
        r = in.Next(token, CPatchClient::MAX_NAME_LENGTH);
        if (r == CTokenReader::BAD) return false;
        // A name whose version was cut off by the end of the file is kept.
        if (r == CTokenReader::TOKEN && !ParseItemVersion(token, item.version)) return false;
        items.push_back(item);
        if (items.size() >= maximum) {
            m_out << "Maximum number of version items read\n";
            return true;
        }
    }
    return true;
}

bool CPatchClient::WriteVersionInfo(const char* file, const std::vector<VersionItem>& items) {
    // A crash or a full disk half-way must not leave a cut-off file in place
    // of the one that worked: write a new file and rename it over the old.
    std::string temp = std::string(file) + ".new";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0664);
    if (fd < 0) return false;
    FILE* f = fdopen(fd, "w");
    if (!f) {
        close(fd);
        unlink(temp.c_str());
        return false;
    }
    fprintf(f, "%u\n%s\n%s\n%u %u %u %u %hu\n", m_version, m_clientPath.c_str(),
            m_pathPrefix.c_str(), m_a, m_b, m_c, m_d, m_port);
    for (const VersionItem& item : items) fprintf(f, "%s %u\n", item.name.c_str(), item.version);
    bool ok = fflush(f) == 0 && !ferror(f) && fsync(fileno(f)) == 0;
    if (fclose(f) != 0) ok = false;
    if (ok && rename(temp.c_str(), file) != 0) ok = false;
    if (!ok) unlink(temp.c_str());
    return ok;
}

bool CPatchClient::DoPatchInfoFile(const char* file) {
    FILE* f = fopen(file, "r");
    if (!f) return false;
    std::unique_ptr<FILE, FileCloser> closer(f);
    CTokenReader in(f);
    std::string name, token;
    while (!in.AtEnd()) {
        CTokenReader::Result r = in.Next(name, MAX_NAME_LENGTH);
        if (r == CTokenReader::END) return true;
        if (r == CTokenReader::BAD) return false;
        std::uint32_t version;
        if (in.Next(token, CPatchClient::MAX_NAME_LENGTH) != CTokenReader::TOKEN ||
            !ParseItemVersion(token, version))
            return false;
        if (!ReplaceOrAddVerItem(name, version)) return false;
    }
    return true;
}

bool CPatchClient::ReplaceOrAddVerItem(const std::string& name, std::uint32_t version) {
    for (VersionItem& item : m_versionItems) {
        if (item.name == name) {
            m_out << "Changing item " << name << " from " << CNumBuf(item.version) << " to "
                  << CNumBuf(version) << "\n";
            item.version = version;
            return true;
        }
    }
    // The list is written back and sent every pass; past its limit the merge
    // fails instead of growing without bound.
    if (m_versionItems.size() >= MAX_VERSION_ITEMS) {
        m_out << "Maximum number of version items reached\n";
        return false;
    }
    m_versionItems.push_back({name, version});
    m_out << "Adding item " << name << " of version " << CNumBuf(version) << "\n";
    return true;
}
