// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/CrLf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

/// One value of the settings file: section, key and the text after "=".
struct CSettingValue {
    std::string section;
    std::string key;
    std::string value;
};

/// The lines of the settings file that the defaults on a 1024 x 768 desktop
/// give, in the order the program writes them.
inline std::vector<std::string> DefaultSettingsLines() {
    return {"[Others]",
            "StartMaximized=0",
            "RememberLastPath=1",
            "RememberPosAndSize=1",
            "ReloadUserOptionsOnStart=1",
            "UnCheckAllAfterRenaming=1",
            "FilterWhenRETURNkeyPressed=1",
            "AskConfirmationBeforeRenaming=1",
            "OnInsertDateUseGMT=0",
            "SortColumNameAsNumber=0",
            "RenameOnlySelectedFiles=1",
            "LastPath=",
            "[ColumnsWidth]",
            "name=200",
            "path=200",
            "size=60",
            "type=200",
            "ext=60",
            "created=90",
            "modified=90",
            "accessed=90",
            "attributes=50",
            "name_preview=200",
            "[ColumnsOrder]",
            "name=0",
            "path=1",
            "size=2",
            "type=3",
            "ext=4",
            "created=5",
            "modified=6",
            "accessed=7",
            "attributes=8",
            "[Position]",
            "X=-1",
            "Y=-1",
            "Width=896",
            "Height=672",
            "SplitterPos=-1",
            "Maximized=0",
            "[Colors]",
            "ColorNormalF=0",
            "ColorNormalB=16777215",
            "ColorHiddenF=8421504",
            "ColorHiddenB=16777215",
            "ColorReadOnlyF=8421504",
            "ColorReadOnlyB=16777215",
            "ColorSystemF=128",
            "ColorSystemB=15132390",
            "ColorPreviewF=0",
            "ColorPreviewB=16777215",
            "ColorPreviewBeingRenamedF=0",
            "ColorPreviewBeingRenamedB=16777215"};
}

/// The default settings file (CR LF lines) with the given values in place of
/// the defaults and the extra lines at its end. A value whose key the file
/// does not hold fails the test.
inline std::string DefaultSettingsText(const std::vector<CSettingValue>& values = {},
                                       const std::vector<std::string>& extraLines = {}) {
    std::vector<std::string> lines = DefaultSettingsLines();
    for (const CSettingValue& value : values) {
        bool found = false;
        std::string section;
        for (std::string& line : lines) {
            if (line.front() == '[') {
                section = line.substr(1, line.size() - 2);
            } else if (section == value.section && line.rfind(value.key + "=", 0) == 0) {
                line = value.key + "=" + value.value;
                found = true;
            }
        }
        EXPECT_TRUE(found) << "no key " << value.key << " in section " << value.section;
    }
    lines.insert(lines.end(), extraLines.begin(), extraLines.end());
    return CrLf(lines);
}
