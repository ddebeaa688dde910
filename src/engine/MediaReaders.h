// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/AudioTagReader.h"
#include "media/ExifReader.h"
#include "media/ImageReader.h"
#include "media/Mp3Reader.h"
#include "media/StillExifReader.h"
#include "media/VideoDateReader.h"

#include <string>

/// How the tag expander reaches the readers of file contents. This class
/// calls the real readers; tests derive from it to hand out known facts.
class CMediaReaders {
public:
    virtual ~CMediaReaders() = default;

    /// ReadExifInfo: true when the file is a JPEG file whose sections could
    /// be read (info.exifPresent says whether it held EXIF data).
    virtual bool ReadExif(const std::string& path, CExifInfo& info);
    /// ReadStillExifInfo: the EXIF block of a still image of another format
    /// (HEIC, RAW, WebP, ...), read by the JPEG rules; true when one was found.
    virtual bool ReadStillExif(const std::string& path, CExifInfo& info);
    /// ReadVideoExifInfo: the recording date and camera of a video file
    /// (QuickTime, MP4, 3GP, Matroska); true when the file could be read.
    virtual bool ReadVideo(const std::string& path, CExifInfo& info);
    /// ReadImageInfo: true when the image header could be read.
    virtual bool ReadImage(const std::string& path, CImageInfo& info);
    /// ReadMp3Info: true when the stream or an ID3v1 tag could be read.
    virtual bool ReadMp3(const std::string& path, CMp3Info& info);
    /// ReadAudioInfo: the tags and stream facts of an audio file of another
    /// format (FLAC, Ogg, MP4, WMA, WAV, ...); true when it was recognised.
    virtual bool ReadAudio(const std::string& path, CMp3Info& info);
};
