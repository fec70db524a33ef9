#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "oem_char_converter_win32.h"
#include "platform.h"

namespace nuvella {

void setBinaryStandardOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
}

bool standardErrorIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

std::unique_ptr<OemConverter> systemOemConverter() {
    return std::make_unique<OemCharConverter>();
}

}  // namespace nuvella
