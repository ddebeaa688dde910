// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ShellVerb.h"

#include "platform/FileSystem.h"
#include "platform/Utf8.h"
#include "resources/StringTable.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <initializer_list>

namespace {

constexpr const char* kFileName = "norvikrename-here.desktop";

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// Writes text to path through a temporary file, so that a desktop that
/// reads the folder meanwhile never sees half a file.
bool WriteWhole(const std::string& path, const std::string& text, bool executable) {
    const QString name = ToQString(path);
    if (!QDir().mkpath(QFileInfo(name).absolutePath())) {
        return false;
    }
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(text.data(), static_cast<qint64>(text.size())) !=
        static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        return false;
    }
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (executable) {
        permissions |= QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    }
    return QFile::setPermissions(name, permissions);
}

/// Removes path; a file that is not there counts as removed.
bool RemoveFile(const std::string& path) {
    const QString name = ToQString(path);
    return QFile::remove(name) || !QFileInfo::exists(name);
}

std::string JoinLines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

/// The lines every entry of ours starts with: an application that opens a
/// folder with the program, under the menu title.
std::string EntryHead(const std::string& title, const std::string& exec) {
    return JoinLines({
        "[Desktop Entry]",
        "Type=Application",
        "Name=" + title,
        "Icon=norvikrename",
        "Exec=" + exec,
    });
}

bool HasContent(const std::string& path, const std::string& text) {
    QFile file(ToQString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    return file.readAll() == QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CShellVerb::CShellVerb(std::string executable) : executablePath(std::move(executable)) {
    const std::string dataHome = FindDataHome();
    desktopEntryPath = dataHome + "/applications/" + kFileName;
    serviceMenuPath = dataHome + "/kio/servicemenus/" + kFileName;
}

std::string CShellVerb::FindDataHome() {
    std::string base = platform::GetEnvironment("XDG_DATA_HOME");
    // The base directory specification tells to ignore a relative path.
    if (base.empty() || base[0] != '/') {
        base = platform::ExpandPath("~/.local/share");
    }
    while (base.size() > 1 && base.back() == '/') {
        base.pop_back();
    }
    return base;
}

std::string CShellVerb::MakeExecLine(const std::string& program) {
    if (program.empty() || program[0] != '/' || !utf8::IsValid(program)) {
        return {};
    }
    // Two levels of escaping: inside the double quotes of an Exec argument
    // '"', '`', '$' and '\' take a backslash, and the key's value as a whole
    // doubles every backslash. A literal '%' is written "%%".
    std::string line = "\"";
    for (const char c : program) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return {};
        }
        if (c == '"' || c == '`' || c == '$') {
            line += "\\\\";
            line += c;
        } else if (c == '\\') {
            line += "\\\\\\\\";
        } else if (c == '%') {
            line += "%%";
        } else {
            line += c;
        }
    }
    // %f stands apart from the quotes: the desktop quotes the folder it puts
    // in, so the program receives "PATH=<folder>" as one argument.
    line += "\" PATH=%f";
    return line;
}

std::string CShellVerb::DesktopEntryText(const std::string& exec) const {
    const std::string title(LookupString(strings::kShellVerbMenuText));
    return EntryHead(title, exec) + JoinLines({
        "MimeType=inode/directory;",
        "NoDisplay=true",
        "Terminal=false",
    });
}

std::string CShellVerb::ServiceMenuText(const std::string& exec) const {
    const std::string title(LookupString(strings::kShellVerbMenuText));
    // An application entry that KDE reads as a service menu (its Actions on
    // folders): the desktop-file validator accepts it, where it objects to
    // MimeType and Actions under Type=Service.
    return EntryHead(title, exec) + JoinLines({
        "NoDisplay=true",
        "X-KDE-ServiceTypes=KonqPopupMenu/Plugin",
        "MimeType=inode/directory;",
        "Actions=NorvikRenameHere;",
        "",
        "[Desktop Action NorvikRenameHere]",
        "Name=" + title,
        "Icon=norvikrename",
        "Exec=" + exec,
    });
}

bool CShellVerb::IsPresent() const {
    return platform::PathExists(desktopEntryPath) && platform::PathExists(serviceMenuPath);
}

bool CShellVerb::Install(bool on) const {
    const bool entryRemoved = RemoveFile(desktopEntryPath);
    const bool menuRemoved = RemoveFile(serviceMenuPath);
    const bool removed = entryRemoved && menuRemoved;
    if (!on) {
        return removed;
    }
    const std::string exec = MakeExecLine(executablePath);
    if (exec.empty()) {
        return false;
    }
    // KDE runs a service menu from the user's folder only when it is
    // executable.
    if (WriteWhole(desktopEntryPath, DesktopEntryText(exec), false) &&
        WriteWhole(serviceMenuPath, ServiceMenuText(exec), true)) {
        return true;
    }
    RemoveFile(desktopEntryPath);
    RemoveFile(serviceMenuPath);
    return false;
}

bool CShellVerb::IsCurrent(const std::string& exec) const {
    return HasContent(desktopEntryPath, DesktopEntryText(exec)) &&
           HasContent(serviceMenuPath, ServiceMenuText(exec)) &&
           QFileInfo(ToQString(serviceMenuPath)).isExecutable();
}

void CShellVerb::RefreshIfPresent() const {
    if (!IsPresent()) {
        return;
    }
    const std::string exec = MakeExecLine(executablePath);
    // Rewriting unchanged files would only make the desktops reread them.
    if (!exec.empty() && IsCurrent(exec)) {
        return;
    }
    Install(true);
}
