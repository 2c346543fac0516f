#include "printercalibrations.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "settingsfile.h"

namespace settings {

namespace {

constexpr const char* Suffix = ".ini";
// The file printer's file: '@' is escaped in every queue's name.
constexpr const char* FilePrinterFile = "@file.ini";
// Present once ocrprn2.ini of before has been taken as a printer's, or a
// printer's calibration has been written over it.
constexpr const char* AdoptedMarker = ".adopted";

std::string Directory()
{
    const std::string settings = SettingsFilePath();
    const std::size_t slash = settings.rfind('/');
    const std::string parent = slash == std::string::npos ? "." : settings.substr(0, slash);
    return parent + "/printers";
}

// Every directory on the way, private as the calibration is the user's.
void MakeDirectories(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    ::mkdir(path.c_str(), 0700);
}

bool IsPlain(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
}

// A queue's name as a file name: every byte but letters, digits, '_' and '-'
// as %XX, so that no name can reach another directory or a hidden file.
std::string Escape(const std::string& key)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string name;
    for (const unsigned char c : key) {
        if (IsPlain(c)) {
            name += static_cast<char>(c);
        } else {
            name += '%';
            name += hex[c >> 4];
            name += hex[c & 15];
        }
    }
    return name;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The key of a file name Escape made; empty for any other file.
std::string Unescape(const std::string& name)
{
    std::string key;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = name[i];
        if (IsPlain(c)) {
            key += static_cast<char>(c);
            continue;
        }
        if (c != '%' || i + 2 >= name.size())
            return {};
        const int high = HexDigit(name[i + 1]);
        const int low = HexDigit(name[i + 2]);
        if (high < 0 || low < 0)
            return {};
        key += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return key;
}

bool Exists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

void MarkAdopted()
{
    const std::string path = Directory() + "/" + AdoptedMarker;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
}

} // namespace

std::string PrinterKey(const std::string& deviceName)
{
    if (deviceName.rfind("file:", 0) == 0)
        return FilePrinterKey;
    return deviceName.substr(0, deviceName.find('/'));
}

std::string PrinterCalibrationPath(const std::string& key)
{
    if (key == FilePrinterKey)
        return Directory() + "/" + FilePrinterFile;
    return Directory() + "/" + Escape(key) + Suffix;
}

PrinterCalibrationLoad LoadPrinterCalibration(const std::string& key,
                                              core::TPrintAdjustment& adjustment)
{
    const std::string path = PrinterCalibrationPath(key);
    if (LoadSettingsFrom(path, adjustment).Status == LoadStatus::Loaded)
        return {PrinterCalibrationSource::Printer, path};
    adjustment = core::TPrintAdjustment{};
    if (Exists(path) || Exists(Directory() + "/" + AdoptedMarker))
        return {PrinterCalibrationSource::None, path};
    core::TPrintAdjustment old;
    const SettingsChoice found = LoadSettings(old);
    if (!found.Loaded())
        return {PrinterCalibrationSource::None, path};
    // Taken once: were the copy not written, the next run would offer it again.
    MakeDirectories(Directory());
    if (!SaveSettingsTo(path, old))
        return {PrinterCalibrationSource::None, path};
    MarkAdopted();
    adjustment = old;
    return {PrinterCalibrationSource::Adopted, found.Used().Path};
}

bool SavePrinterCalibration(const std::string& key, const core::TPrintAdjustment& adjustment,
                            std::string* reason, std::string* failedPath)
{
    MakeDirectories(Directory());
    const std::string path = PrinterCalibrationPath(key);
    if (!SaveSettingsTo(path, adjustment, reason)) {
        if (failedPath)
            *failedPath = path;
        return false;
    }
    // ocrprn2.ini now holds a printer's calibration, not one to adopt.
    MarkAdopted();
    // A file there that was refused holds someone's calibration: the
    // printer's own file has the new one, that file stays as it is.
    core::TPrintAdjustment there;
    const LoadStatus status = LoadSettingsFrom(SettingsFilePath(), there).Status;
    if (status != LoadStatus::Loaded && status != LoadStatus::Missing)
        return true;
    if (!SaveSettings(adjustment, reason)) {
        if (failedPath)
            *failedPath = SettingsFilePath();
        return false;
    }
    return true;
}

std::vector<std::string> CalibratedPrinters()
{
    std::vector<std::string> keys;
    DIR* dir = ::opendir(Directory().c_str());
    if (!dir)
        return keys;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == FilePrinterFile) {
            keys.push_back(FilePrinterKey);
            continue;
        }
        const std::size_t suffix = std::strlen(Suffix);
        if (name.size() <= suffix || name.compare(name.size() - suffix, suffix, Suffix) != 0)
            continue;
        std::string key = Unescape(name.substr(0, name.size() - suffix));
        // Only names Escape makes: one a user put there by hand is not a queue's.
        if (!key.empty() && Escape(key) + Suffix == name)
            keys.push_back(std::move(key));
    }
    ::closedir(dir);
    std::sort(keys.begin(), keys.end());
    return keys;
}

bool ForgetPrinterCalibration(const std::string& key, std::string* reason)
{
    if (::unlink(PrinterCalibrationPath(key).c_str()) == 0)
        return true;
    if (reason)
        *reason = std::strerror(errno);
    return false;
}

} // namespace settings
