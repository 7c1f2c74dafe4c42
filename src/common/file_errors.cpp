#include "common/file_errors.h"

#include <system_error>

namespace ze {

std::string SystemErrorText(int error) {
    return error == 0 ? std::string() : std::generic_category().message(error);
}

std::string WriteFailureText(int error) {
    return error == 0 ? std::string("cannot be written")
                      : "cannot be written: " + SystemErrorText(error);
}

}  // namespace ze
