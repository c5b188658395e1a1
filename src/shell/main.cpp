#include "shell/frame_window.h"

#include <QApplication>

#include <csignal>

// plax FILE... opens each file as File > Open would, then runs until the frame closes.
int main(int argc, char** argv) {
    // A file-size limit then makes a save fail with an error it reports, instead of killing
    // the program and leaving its half-written file behind.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(plax::ProgramTitle));

    plax::TPlaxForm frame;
    frame.show();
    // QApplication has taken its own options out of argv by now.
    for (int i = 1; i < argc; ++i)
        frame.OpenFile(argv[i]);
    return QApplication::exec();
}
