#include "shell/frame_window.h"

#include <QApplication>

// plax FILE... opens each file as File > Open would, then runs until the frame closes.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(plax::ProgramTitle));

    plax::TPlaxForm frame;
    frame.show();
    // QApplication has taken its own options out of argv by now.
    for (int i = 1; i < argc; ++i)
        frame.OpenFile(argv[i]);
    return QApplication::exec();
}
