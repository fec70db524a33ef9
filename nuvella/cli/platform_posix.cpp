#include <unistd.h>

#include "oem_table_converter.h"
#include "platform.h"

namespace nuvella {

void setBinaryStandardOutput() {}

bool standardErrorIsTerminal() {
    return isatty(STDERR_FILENO) != 0;
}

std::unique_ptr<OemConverter> systemOemConverter() {
    return std::make_unique<OemTableConverter>();
}

}  // namespace nuvella
