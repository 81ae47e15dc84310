#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace lvltext::testing {

inline const std::filesystem::path dataDirectory = LVLTEXT_DATA_DIR;

inline std::filesystem::path programPath(const std::string& name) {
  if (name == "lvltext6") return LVLTEXT6_PATH;
  if (name == "lvltext5") return LVLTEXT5_PATH;
  throw std::runtime_error("unknown program " + name);
}

inline const std::string notice =
    "Level namespace exceeded!\r\n"
    "Your level names and entry texts are too large for the available game space!\r\n"
    "The simplest thing to do is to shorten your level entry texts!\r\n";

/// A scenario whose names overflow the namespace of lvltext5, and the script it leaves.
inline const std::filesystem::path overflowInput = dataDirectory / "limit_1232_5" / "input";
inline const std::filesystem::path overflowScript =
    dataDirectory / "limit_1232_5" / "expected" / "Q5PATCHFILE.TXT";

}  // namespace lvltext::testing
