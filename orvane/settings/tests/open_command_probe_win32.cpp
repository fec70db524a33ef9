// Stand-in player for the association test: writes its command line to probe.out
// beside itself, so the test sees that the shell started it and with what.
#include <windows.h>

#include <fstream>
#include <string>

int main() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string out(path);
    out = out.substr(0, out.find_last_of('\\') + 1) + "probe.out";
    std::ofstream(out, std::ios::binary) << GetCommandLineA();
    return 0;
}
