// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/MediaReaders.h"

bool CMediaReaders::ReadExif(const std::string& path, CExifInfo& info) {
    return ReadExifInfo(path, info);
}

bool CMediaReaders::ReadStillExif(const std::string& path, CExifInfo& info) {
    return ReadStillExifInfo(path, info);
}

bool CMediaReaders::ReadVideo(const std::string& path, CExifInfo& info) {
    return ReadVideoExifInfo(path, info);
}

bool CMediaReaders::ReadImage(const std::string& path, CImageInfo& info) {
    return ReadImageInfo(path, info);
}

bool CMediaReaders::ReadMp3(const std::string& path, CMp3Info& info) {
    return ReadMp3Info(path, info);
}

bool CMediaReaders::ReadAudio(const std::string& path, CMp3Info& info) {
    return ReadAudioInfo(path, info);
}
