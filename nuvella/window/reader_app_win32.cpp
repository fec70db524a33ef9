#include "reader_app_win32.h"

#include "reader_window_win32.h"
#include "resource.h"

namespace nuvella {

HIMAGELIST loadTreePictures(HINSTANCE instance) {
    return ImageList_LoadImageA(instance, MAKEINTRESOURCEA(IDB_TREEPICTURES), 16, 3, RGB(255, 0, 0),
                                IMAGE_BITMAP, 0);
}

int runReader(HINSTANCE instance) {
    HMODULE richEdit = LoadLibraryA("RICHED32.DLL");
    if (richEdit == nullptr) {
        return -1;
    }
    InitCommonControls();
    HIMAGELIST pictures = loadTreePictures(instance);
    registerReaderClass(instance);
    if (createReaderWindow(instance, pictures) == nullptr) {
        return -1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    ImageList_Destroy(pictures);
    FreeLibrary(richEdit);
    return 0;
}

}  // namespace nuvella
