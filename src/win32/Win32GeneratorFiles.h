#pragma once
// The header generator's file access on Windows: CreateFileA, ReadFile, WriteFile, CloseHandle.
#include "core/devtools/HeaderGenerator.h"

namespace korva {

class Win32GeneratorFiles final : public GeneratorFiles {
public:
    // Opens the source for reading without sharing (OPEN_EXISTING) and reads it to its end.
    // Missing, held open by another program, a folder, or a failed read: nothing.
    std::optional<std::vector<unsigned char>> ReadWhole(const std::string& name) override;
    // Creates or empties the file (CREATE_ALWAYS, no sharing) and writes `bytes` whole.
    // A failed or short write removes the partial file and gives false.
    bool WriteWhole(const std::string& name, const std::string& bytes) override;
};

}  // namespace korva
