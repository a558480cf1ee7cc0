// What a picture's header says, read and checked before any decoder sees the
// bytes: its kind and size, and whether its fields (offsets, sizes, chunk
// and segment lengths) fit the data. Pictures over the limits are refused
// with a message that says why.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Streams.h"
#include "base/Types.h"

enum class TPictureKind { pkUnknown, pkBMP, pkPNG, pkGIF, pkJPEG, pkICO, pkTIFF, pkWMF, pkEMF };

struct TPictureHeader {
  TPictureKind Kind = TPictureKind::pkUnknown;
  int Width = 0;   // pixels; 0 for metafiles, whose size depends on the device
  int Height = 0;
  bool OverLimits = false;  // a well-formed picture beyond the limits
};

// The limits: 64 megapixels and 64 MiB of data.
constexpr uint64_t MaxPicturePixels = 64ull * 1024 * 1024;
constexpr size_t MaxPictureBytes = size_t{64} * 1024 * 1024;

// Reads the header of the picture in Data. False, with the reason in Error,
// for data of no kind read here, a header whose fields do not fit the data,
// or a picture over the limits (OverLimits).
bool ReadPictureHeader(const uint8_t* Data, size_t Size, TPictureHeader& Header, String& Error);
// Raises EInvalidGraphic when the picture in Data is over the limits; the
// size of data that a stream or file is about to give is checked first.
void CheckPictureLimits(const uint8_t* Data, size_t Size);
void CheckPictureDataSize(uint64_t Size);
// Replaces Target's bytes with the rest of Source, positioned at the start;
// a picture over the limits raises EInvalidGraphic and leaves Target as it
// was.
void LoadPictureData(TStream* Source, TMemoryStream* Target);
