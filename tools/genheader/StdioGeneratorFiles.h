#pragma once
// The header generator's file access through C stdio, for the command-line generator on
// POSIX hosts (the build machine).
#include "core/devtools/HeaderGenerator.h"

namespace korva {

class StdioGeneratorFiles final : public GeneratorFiles {
public:
    std::optional<std::vector<unsigned char>> ReadWhole(const std::string& name) override;
    bool WriteWhole(const std::string& name, const std::string& bytes) override;
};

}  // namespace korva
