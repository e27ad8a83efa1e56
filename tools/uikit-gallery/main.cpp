// uikit-gallery: shows the toolkit in one window. With --screenshot FILE it
// renders the window offscreen into a PNG file and exits.
#include "GalleryWindow.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const char* screenshot = nullptr;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--screenshot") == 0)
            screenshot = argv[i + 1];
    if (screenshot && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    GalleryWindow window;
    window.show();
    if (!screenshot)
        return app.exec();

    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(screenshot), "PNG")) {
        std::fprintf(stderr, "uikit-gallery: cannot write %s\n", screenshot);
        return 1;
    }
    return 0;
}
