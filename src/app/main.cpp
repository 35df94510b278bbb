#include "ui/LocaleFormats.h"
#include "ui/Ui.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// True when Qt has somewhere to draw: an X or Wayland display, or a platform chosen explicitly.
bool HasDisplay()
{
    const char* names[] = { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" };
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (!HasDisplay()) {
        std::fprintf(stderr,
            "tallivoranda: no display found.\n"
            "Run it from a desktop session, under a virtual display "
            "(xvfb-run ./start.sh), or use the command-line tool tallivoranda-cli.\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tallivoranda");
    QApplication::setOrganizationName("Vostrel");
    QApplication::setApplicationVersion(TALLIVORANDA_VERSION);

    ApplyLocaleFormats();

    TfrmUI window;
    window.show();
    return app.exec();
}
