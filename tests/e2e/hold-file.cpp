// Holds a file the way an antivirus or a sync agent does: open for reading,
// without delete sharing, so that nothing can replace it meanwhile. Prints
// "held" once it has the file, lets go after the given milliseconds.
//   hold-file.exe <file> <milliseconds>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const HANDLE file =
        argc == 3 ? ::CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr)
                  : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    std::puts("held");
    std::fflush(stdout);
    ::Sleep(DWORD(std::atoi(argv[2])));
    ::CloseHandle(file);
    return 0;
}
