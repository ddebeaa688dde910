// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/FileCatalogue.h"

#include "platform/FileSystem.h"

bool CFileCatalogue::SetFolder(const std::string& rawPath, bool force) {
    std::string path = TrimBlanks(rawPath);
    if (!path.empty()) {
        if (path[0] != '/') {
            std::string current = platform::GetCurrentFolder();
            if (current.empty()) {
                return false;
            }
            path = (current.back() == '/' ? current : current + "/") + path;
        }
        if (!platform::IsExistingFolder(path)) {
            return false;
        }
        if (path.back() != '/') {
            path.push_back('/');
        }
    } else {
        path = platform::GetCurrentFolder();
        if (!path.empty() && path.back() != '/') {
            path.push_back('/');
        }
    }
    // Folder names differ by case on Linux file systems, so the comparison
    // that decides "same folder" is exact.
    if (path != folderPath || force) {
        folderPath = path;
        if (historyIndex + 1 < static_cast<int>(history.size())) {
            history.resize(static_cast<std::size_t>(historyIndex + 1));
        }
        history.push_back(path);
        historyIndex = static_cast<int>(history.size()) - 1;
        RequestRefresh();
    }
    return true;
}

bool CFileCatalogue::GoToParent() {
    std::string current = folderPath;
    if (!current.empty() && current.back() == '/') {
        current.pop_back();
    }
    const auto slash = current.rfind('/');
    if (slash == std::string::npos || current.empty()) {
        return false;
    }
    if (!platform::IsExistingFolder(current)) {
        return false;
    }
    SetFolder(slash == 0 ? "/" : current.substr(0, slash), false);
    return true;
}

bool CFileCatalogue::HistoryBack() {
    if (historyIndex <= 0) {
        return false;
    }
    return HistoryGoTo(historyIndex - 1);
}

bool CFileCatalogue::HistoryForward() {
    if (historyIndex + 1 >= static_cast<int>(history.size())) {
        return false;
    }
    return HistoryGoTo(historyIndex + 1);
}

bool CFileCatalogue::HistoryGoTo(int index) {
    if (index < 0 || index >= static_cast<int>(history.size())) {
        return false;
    }
    historyIndex = index;
    folderPath = history[static_cast<std::size_t>(index)];
    RequestRefresh();
    return true;
}

void CFileCatalogue::ClearHistory() {
    historyIndex = -1;
    history.clear();
}

std::string CFileCatalogue::GetHistoryItem(int index) const {
    if (index < 0 || index >= static_cast<int>(history.size())) {
        return {};
    }
    return history[static_cast<std::size_t>(index)];
}
