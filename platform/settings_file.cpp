#include "platform/settings_file.h"

#include "platform/file_read.h"
#include "platform/file_write.h"

#include "text/codepage.h"

// Values are handled as bytes here and converted by the program's own code page unit, so the
// parser needs none of its wide-character converters.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary file beside the settings file is hidden and named after it and the program, with
// the six characters mkstemp() puts in place of TEMP_RANDOM: the cleaning removes files of this
// shape, so it must be one that no file a user keeps there (a backup such as
// "informatin.ini.tmp-backup") can have.
const char* const TEMP_HIDDEN = ".";
const char* const TEMP_MARK = ".veldane-tmp-";
constexpr std::string_view TEMP_RANDOM = "XXXXXX";

// 0 when the file was loaded or is absent (an empty store), -1 when it exists but cannot be read.
int LoadIni(const std::string& path, CSimpleIniA* pIni) {
    // Written as key=value, the way the file has always looked.
    pIni->SetSpaces(false);
    std::string data;
    const int read = PfReadFile(path, data);
    if (read != PF_READ_DONE) {
        return read == PF_READ_MISSING ? 0 : -1;
    }
    // Whatever the parser makes of a damaged file is taken; a NUL byte simply ends its reading.
    // It fails only without memory.
    return pIni->LoadData(data) < 0 ? -1 : 0; // GCOVR_EXCL_BR_LINE
}

// Permissions for the replacement: those of the file it replaces, or what a plain new file gets.
mode_t ReplacementMode(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
        return st.st_mode & 07777;
    }
    // umask() can only be read by setting it; the program has one thread, so this is safe.
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The temporary file's name for the settings file named `settingsName`, TEMP_RANDOM not filled.
std::string TempPrefix(const std::string& settingsName) {
    return TEMP_HIDDEN + settingsName + TEMP_MARK;
}

// True for a name that mkstemp() could have made from TempPrefix() and TEMP_RANDOM.
bool IsTempName(const std::string& name, const std::string& settingsName) {
    const std::string prefix = TempPrefix(settingsName);
    return name.size() == prefix.size() + TEMP_RANDOM.size() &&
           name.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Removes the temporary files of writers that died before their rename. A live writer holds
// a lock on its temporary file until the rename is done, so a file that can be locked here
// belongs to nobody any more.
void RemoveDeadTemps(const std::string& path) {
    const std::string settingsName = std::filesystem::path(path).filename().string();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(PfFolderOf(path), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::filesystem::path& temp = it->path();
        if (!IsTempName(temp.filename().string(), settingsName)) {
            continue;
        }
        const int fd = open(temp.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
        if (fd < 0) {
            continue;
        }
        struct stat opened {};
        struct stat named {};
        // Unlinked only while the name still leads to the file that was locked: a writer may
        // have renamed it into place meanwhile, a race that no test can time.
        // GCOVR_EXCL_BR_START
        if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &opened) == 0 &&
            lstat(temp.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
            opened.st_ino == named.st_ino) {
            // GCOVR_EXCL_BR_STOP
            unlink(temp.c_str());
        }
        close(fd);
    }
}

// Replaces the file at `path` with `data` (see PfReplaceThroughTemp()), first removing what
// writers that died left behind. A link to a file is followed and its target replaced, so that
// settings kept elsewhere and linked in stay linked. On failure `path` is untouched.
bool ReplaceFile(const std::string& path, std::string_view data) {
    std::string target = path;
    // Fails for a missing file, which is then made at `path` itself.
    if (char* const resolved = realpath(path.c_str(), nullptr); resolved != nullptr) {
        target = resolved;
        std::free(resolved);
    }
    // Writers of one folder take turns, holding a lock on the folder: a writer locks its
    // temporary file only just after making it, and a cleaning by another writer in between
    // would take it for a dead writer's and remove it, losing the write.
    const std::filesystem::path folder = PfFolderOf(target);
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder that may be written but not read cannot be locked; the write goes ahead unlocked.
    if (folderFd >= 0) { // GCOVR_EXCL_BR_LINE
        flock(folderFd, LOCK_EX);
    }
    RemoveDeadTemps(target);
    const std::filesystem::path temp =
        folder /
        (TempPrefix(std::filesystem::path(target).filename().string()) + std::string(TEMP_RANDOM));
    const bool bReplaced =
        PfReplaceThroughTemp(target, temp.string(), data, ReplacementMode(target), nullptr);
    if (folderFd >= 0) { // GCOVR_EXCL_BR_LINE
        close(folderFd);
    }
    return bReplaced;
}

// Makes every missing folder above `path`, outermost first, each private to the user. A folder
// that another program makes meanwhile is as good as one made here. false when one cannot be
// made; folders made before it stay.
bool MakeFolders(const std::string& path) {
    const std::filesystem::path folder = PfFolderOf(path);
    std::filesystem::path partial;
    for (const std::filesystem::path& part : folder) {
        partial /= part;
        if (mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    struct stat st {};
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

CSettingsFile::CSettingsFile(std::string path, bool bMakeFolder)
    : m_strPath(std::move(path)), m_bMakeFolder(bMakeFolder) {}

bool CSettingsFile::Lookup(const char* section, const char* key, std::string* pValue) const {
    CSimpleIniA ini;
    if (LoadIni(m_strPath, &ini) != 0) {
        return false;
    }
    const char* value = ini.GetValue(section, key, nullptr);
    if (value == nullptr) {
        return false;
    }
    pValue->assign(value);
    return true;
}

std::string CSettingsFile::GetString(const char* section, const char* key, const char* def) const {
    std::string value;
    if (!Lookup(section, key, &value)) {
        return def;
    }
    // A file written on a code page 932 system holds its bytes as they are; anything that is
    // not UTF-8 is taken to be such a value.
    return TxtIsCompleteUtf8(value) ? TxtUtf8ToCp932(value) : value;
}

// The branches of these one-line calls are the cleanup of an exception, which the tests exclude.
bool CSettingsFile::WriteString(const char* section, const char* key, const char* value) {
    return WriteValues(section, {{key, value, false}}); // GCOVR_EXCL_BR_LINE
}

std::string CSettingsFile::GetRaw(const char* section, const char* key, const char* def) const {
    std::string value;
    return Lookup(section, key, &value) ? value : std::string(def); // GCOVR_EXCL_BR_LINE
}

bool CSettingsFile::WriteRaw(const char* section, const char* key, const char* value) {
    return WriteValues(section, {{key, value, true}}); // GCOVR_EXCL_BR_LINE
}

bool CSettingsFile::WriteValues(const char* section, const std::vector<SettingsValue>& values) {
    CSimpleIniA ini;
    // An existing file that cannot be read is not replaced: its other contents would be lost.
    if (LoadIni(m_strPath, &ini) != 0) {
        return false;
    }
    bool bAll = true;
    bool bAny = false;
    for (const SettingsValue& value : values) {
        const std::string stored = value.bRaw ? value.strValue : TxtCp932ToUtf8(value.strValue);
        // A line break would end the value early and start a line of its own in the file,
        // which could add or override keys on the next read; such a value is refused. The
        // parser refuses a value only without memory.
        if (stored.find_first_of("\r\n") != std::string::npos ||
            ini.SetValue(section, value.pszKey, stored.c_str()) < 0) { // GCOVR_EXCL_BR_LINE
            bAll = false;
            continue;
        }
        bAny = true;
    }
    if (!bAny) {
        return false;
    }
    std::string data;
    // Saving into a string fails only without memory.
    if (ini.Save(data) < 0) { // GCOVR_EXCL_BR_LINE
        return false;         // GCOVR_EXCL_LINE
    }
    if (m_bMakeFolder && !MakeFolders(m_strPath)) {
        return false;
    }
    return ReplaceFile(m_strPath, data) && bAll;
}
