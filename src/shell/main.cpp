#include "shell/command_line.h"
#include "shell/frame_window.h"

#include <QApplication>

#include <csignal>
#include <iostream>

// plax [FILE...] opens each file as File > Open would, then runs until the frame closes.
int main(int argc, char** argv) {
    // A file-size limit then makes a save fail with an error it reports, instead of killing
    // the program and leaving its half-written file behind.
    std::signal(SIGXFSZ, SIG_IGN);
    const plax::StartRequest request = plax::ReadCommandLine(argc, argv, std::cout, std::cerr);
    if (request.exitStatus) return *request.exitStatus;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(plax::ProgramTitle));
    plax::TPlaxForm frame;
    frame.show();
    for (const std::string& file : request.files)
        frame.OpenFile(file);
    return QApplication::exec();
}
