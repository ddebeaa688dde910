// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

/// The menu item "Norvik Rename vanaf hier" that the desktop shows on a
/// folder. It is two files under the user's data folder ($XDG_DATA_HOME,
/// else ~/.local/share): a desktop entry for folders in applications/, which
/// the GNOME and other freedesktop file managers offer, and a KDE service
/// menu in kio/servicemenus/, which Dolphin shows. Both start the program
/// with PATH= and the clicked folder. The verb counts as present only when
/// both files exist.
class CShellVerb {
public:
    /// executablePath: the full path of the program the verb starts. The data
    /// folder is taken from the environment now.
    explicit CShellVerb(std::string executablePath);

    /// True when both files exist.
    bool IsPresent() const;

    /// Removes both files; when on, writes both anew for the executable path.
    /// A failed write removes both again, so no half verb is left. False when
    /// the files could not be written (or removed), or when the executable
    /// path cannot stand in a desktop entry (relative, not UTF-8, or holding
    /// a control character).
    bool Install(bool on) const;

    /// At program start: when the verb is present, rewrites both files so
    /// that they name this executable (the program may have been moved).
    /// Files that already say exactly that are left untouched.
    void RefreshIfPresent() const;

    /// The folder-verb desktop entry, $XDG_DATA_HOME/applications/...
    const std::string& GetDesktopEntryPath() const { return desktopEntryPath; }
    /// The KDE service menu, $XDG_DATA_HOME/kio/servicemenus/...
    const std::string& GetServiceMenuPath() const { return serviceMenuPath; }

    /// The user's data folder: $XDG_DATA_HOME when it is an absolute path,
    /// else ~/.local/share; without a final "/".
    static std::string FindDataHome();

    /// The value of an Exec key that runs program with the argument
    /// PATH=<folder>, quoted and escaped as desktop entries require; empty
    /// when program cannot be written there.
    static std::string MakeExecLine(const std::string& program);

private:
    std::string DesktopEntryText(const std::string& exec) const;
    std::string ServiceMenuText(const std::string& exec) const;
    bool IsCurrent(const std::string& exec) const;

    std::string executablePath;
    std::string desktopEntryPath;
    std::string serviceMenuPath;
};
