// The sample catalogue the build generated, which the tests read.
#pragma once

#include <filesystem>

namespace tundrix::testdata {

inline const std::filesystem::path kSampleData = TUNDRIX_SAMPLE_DATA;

}  // namespace tundrix::testdata
