#include "core/file_associations.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/keyed_lines.h"

namespace velk::app {

namespace {

constexpr const char* kDefaultsGroup = "Default Applications";
constexpr const char* kPreviousGroup = "Previous Defaults";
constexpr const char* kPreviousFile = "previous_defaults.list";

struct ExtensionType {
    const char* extension;
    const char* mimeType;
};

// Each extension its own type, so that giving up one never takes another with it.
constexpr std::array<ExtensionType, 10> kTypes{{
    {".mp1", "audio/x-mp1"},
    {".mp2", "audio/mp2"},
    {".mp3", "audio/mpeg"},
    {".mpg", "video/mpeg"},
    {".wav", "audio/x-wav"},
    {".rmp", "audio/x-rmp"},
    {".lzh", "application/x-lzh-compressed"},
    {".zip", "application/zip"},
    {".m3u", "audio/x-mpegurl"},
    {".pls", "audio/x-scpls"},
}};

std::string AsciiLower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string EnvironmentFolder(const char* name, const char* homeFallback) {
    const char* value = std::getenv(name);
    if (value && *value == '/') return value;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/" + homeFallback;
}

// A default is the desktop entries a type opens with, each ended by ';'.
bool NamesOnlyPlayer(const std::string& value) {
    return value == kDesktopEntryName || value == std::string(kDesktopEntryName) + ";";
}

}  // namespace

DesktopPaths EnvironmentDesktopPaths(const std::string& profileFolder,
                                     const std::string& programPath) {
    return {EnvironmentFolder("XDG_DATA_HOME", ".local/share"),
            EnvironmentFolder("XDG_CONFIG_HOME", ".config"), profileFolder, programPath};
}

std::string MimeTypeOfExtension(const std::string& extension) {
    const std::string lower = AsciiLower(extension);
    for (const ExtensionType& type : kTypes) {
        if (lower == type.extension) return type.mimeType;
    }
    return {};
}

std::string DesktopExecLine(const std::string& programPath, const std::string& tail) {
    std::string quoted = "\"";
    for (const char c : programPath) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\" " + tail;
}

KeyedLines PlayerDesktopEntry(const std::string& programPath, const std::string& execTail) {
    KeyedLines entry;
    entry.Set(kDesktopEntryGroup, "Type", "Application");
    entry.Set(kDesktopEntryGroup, "Name", "Velkaro");
    entry.Set(kDesktopEntryGroup, "Exec", DesktopExecLine(programPath, execTail));
    entry.Set(kDesktopEntryGroup, "Icon", "velkaro");
    return entry;
}

std::string FileAssociations::DesktopEntryPath() const {
    return paths_.dataHome + "/applications/" + kDesktopEntryName;
}

std::string FileAssociations::MimeAppsPath() const {
    return paths_.configHome + "/mimeapps.list";
}

std::string FileAssociations::PreviousDefaultsPath() const {
    return paths_.profileFolder + "/" + kPreviousFile;
}

bool FileAssociations::RegisterProgId() const {
    std::string mimeTypes;
    for (const ExtensionType& type : kTypes) mimeTypes += std::string(type.mimeType) + ";";
    KeyedLines entry = PlayerDesktopEntry(paths_.programPath, "%f");
    entry.Set(kDesktopEntryGroup, "MimeType", mimeTypes);
    entry.Set(kDesktopEntryGroup, "NoDisplay", "true");
    return entry.Save(DesktopEntryPath());
}

bool FileAssociations::RemoveProgId() const {
    std::error_code error;
    std::filesystem::remove(DesktopEntryPath(), error);
    return !error;
}

bool FileAssociations::LoadType(const std::string& extension, TypeFiles& files) const {
    files.mime = MimeTypeOfExtension(extension);
    return !files.mime.empty() && files.previous.Load(PreviousDefaultsPath()) &&
           files.mimeApps.Load(MimeAppsPath());
}

bool FileAssociations::AssociateExtension(const std::string& extension) const {
    TypeFiles files;
    if (!LoadType(extension, files)) return false;
    auto& [mime, previous, mimeApps] = files;
    if (previous.Get(kPreviousGroup, mime)) return true;
    // Most types have no default of their own here; an empty one is kept so that giving the
    // type up removes the player's line again.
    previous.Set(kPreviousGroup, mime, mimeApps.Get(kDefaultsGroup, mime).value_or(""));
    if (!previous.Save(PreviousDefaultsPath())) return false;
    mimeApps.Set(kDefaultsGroup, mime, std::string(kDesktopEntryName) + ";");
    return mimeApps.Save(MimeAppsPath());
}

bool FileAssociations::UnassociateExtension(const std::string& extension) const {
    TypeFiles files;
    if (!LoadType(extension, files)) return false;
    auto& [mime, previous, mimeApps] = files;
    const auto saved = previous.Get(kPreviousGroup, mime);
    if (!saved) return true;
    if (saved->empty()) {
        mimeApps.Remove(kDefaultsGroup, mime);
    } else {
        mimeApps.Set(kDefaultsGroup, mime, *saved);
    }
    if (!mimeApps.Save(MimeAppsPath())) return false;
    previous.Remove(kPreviousGroup, mime);
    return previous.Save(PreviousDefaultsPath());
}

bool FileAssociations::IsAssociated(const std::string& extension) const {
    const std::string mime = MimeTypeOfExtension(extension);
    KeyedLines mimeApps;
    if (mime.empty() || !mimeApps.Load(MimeAppsPath())) return false;
    const auto value = mimeApps.Get(kDefaultsGroup, mime);
    return value && NamesOnlyPlayer(*value);
}

const std::array<const char*, kFileTypeCount>& FileTypeLabels() {
    static const std::array<const char*, kFileTypeCount> labels{
        "mp1 (MPEG1 Audio Layer-1)",
        "mp2 (MPEG1 Audio Layer-2)",
        "mp3 (MPEG1 Audio Layer-3)",
        "mpg (MPEG)",
        "wav (Windows標準PCM / RIFF WAVE)",
        "rmp (RIFF MPEG)",
        "lzh (lha形式圧縮ﾌｧｲﾙ)",
        "zip (zip形式圧縮ﾌｧｲﾙ)",
        "m3u (ﾌﾟﾚｲﾘｽﾄ)",
        "pls (ﾌﾟﾚｲﾘｽﾄ)",
    };
    return labels;
}

std::string ExtensionOfFileType(int row) {
    if (row < 0 || row >= kFileTypeCount) return {};
    return "." + std::string(FileTypeLabels()[row], 3);
}

void MarkTakenOverTypes(const FileAssociations& associations, std::vector<int>& states) {
    for (size_t row = 0; row < states.size() && row < kFileTypeCount; ++row) {
        if (states[row] == kTypeAssociated &&
            !associations.IsAssociated(ExtensionOfFileType(static_cast<int>(row))))
            states[row] = kTypeTakenOver;
    }
}

bool ApplyFileTypeStates(const FileAssociations& associations, const std::vector<int>& states) {
    associations.RemoveProgId();
    bool processed = false;
    // A failure ends only its own row.
    for (size_t row = 0; row < states.size() && row < kFileTypeCount; ++row) {
        const std::string extension = ExtensionOfFileType(static_cast<int>(row));
        if (states[row] == kTypeAssociated) {
            associations.RegisterProgId();
            associations.UnassociateExtension(extension);
            associations.AssociateExtension(extension);
        } else if (states[row] == kTypeFree) {
            associations.UnassociateExtension(extension);
        } else {
            continue;
        }
        processed = true;
    }
    return processed;
}

}  // namespace velk::app
