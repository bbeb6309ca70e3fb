#pragma once

#include "SimImage.h"

#include <memory>
#include <string>

namespace kt {

class CRigEngine;

// Moves the virtual transceiver's image in and out of data files through the
// program's own engine, so that the transceiver starts from exactly the image
// a new document has, accepts exactly the files the program accepts, and
// saves exactly the files the program writes. The engine talks in files
// only: the image travels through private temporary data files.
class CImageStore {
public:
    CImageStore();
    ~CImageStore();
    CImageStore(const CImageStore&) = delete;
    CImageStore& operator=(const CImageStore&) = delete;

    // The default image (the engine after "INITIALIZE").
    bool Initialize(SimImage& image, std::string& error);
    // The image of a data file, as the engine loads it.
    bool Load(const std::string& path, SimImage& image, std::string& error);
    // Saves image as a data file at path, the way the engine writes it:
    // through a temporary file in the same folder that then replaces path,
    // so that a reader never sees a half-written file.
    bool Save(const std::string& path, const SimImage& image, std::string& error);

private:
    // The engine's current image: saved by the engine to a temporary file and
    // read back.
    bool Capture(SimImage& image, std::string& error);
    // The data file the engine writes of its current image.
    bool SavedText(std::string& text, std::string& error);
    // Runs a file command on path; false (with the reason) unless it answers "OK".
    bool FileCommand(const std::string& verb, const std::string& path, std::string& error);

    std::unique_ptr<CRigEngine> engine_;
};

} // namespace kt
