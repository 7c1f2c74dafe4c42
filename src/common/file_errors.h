#pragma once

#include <string>

// Why a file could not be read or written, in the system's words, for a
// terminal; the editor words the common reasons itself, in its language.
namespace ze {

// The C library's words for an error number ("No space left on device");
// empty for 0.
std::string SystemErrorText(int error);

// "cannot be written: " and the system's words; "cannot be written" alone
// for 0.
std::string WriteFailureText(int error);

}  // namespace ze
