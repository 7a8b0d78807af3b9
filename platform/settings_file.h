#pragma once

#include <string>
#include <vector>

// One value of a write that sets several at once.
struct SettingsValue {
    const char* pszKey;
    std::string strValue;
    // true: file system bytes, stored as they are (WriteRaw); false: code page 932 text
    // (WriteString).
    bool bRaw;
};

// An INI settings file kept in UTF-8. Section and key names match without regard to case;
// other sections, keys and comments in the file are kept when a value is written. Each write
// replaces the whole file atomically (temporary file in the same folder, then rename), so the
// file is always either the old one or the new one; a temporary file left behind by a writer
// that was killed is removed by the next write, and no other file. A symbolic link to a file is
// followed, and the file it leads to replaced. Anything but a regular file at the path (a FIFO,
// a device, a folder, links in a loop) reads as unreadable and is never replaced.
class CSettingsFile {
public:
    // With bMakeFolder false the folder is never created, and writes fail without it. With true,
    // a write first makes the missing folders of the path, each with mode 0700 (private to the
    // user); reading never makes anything.
    explicit CSettingsFile(std::string path, bool bMakeFolder = false);

    const std::string& Path() const { return m_strPath; }

    // Text values are code page 932 inside the program. A stored value that is not valid UTF-8
    // (a file written by a code page 932 system) is taken as code page 932 as it stands.
    std::string GetString(const char* section, const char* key, const char* def) const;
    bool WriteString(const char* section, const char* key, const char* value);

    // Raw values (file system paths) pass through unconverted, byte for byte.
    // A write returns false and leaves the file as it was when the value holds a line break,
    // when an existing file cannot be read, or when the new file cannot be written.
    std::string GetRaw(const char* section, const char* key, const char* def) const;
    bool WriteRaw(const char* section, const char* key, const char* value);

    // Writes every value in one replacement of the file, so that a crash leaves all of them as
    // they were or all of them new. A value holding a line break is refused and stays as it was;
    // the result is then false, as when the file cannot be written at all.
    bool WriteValues(const char* section, const std::vector<SettingsValue>& values);

private:
    // true with the stored bytes of section/key; false when the key or the file is missing.
    bool Lookup(const char* section, const char* key, std::string* pValue) const;

    std::string m_strPath;
    bool m_bMakeFolder;
};
