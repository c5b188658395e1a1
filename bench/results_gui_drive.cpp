// The desktop program on a long listing, driven as a user would: opens FILE, chooses Property >
// Graph > Hamiltonian Path, clicks point 1 at (X, Y) on the canvas, lets the listing run for
// SECONDS while printing the resident memory every ten seconds, then scrolls the Results text
// to its middle, saves a picture of the frame to PNG and presses Stop.
//   plax_results_gui_drive FILE X Y SECONDS PNG      (under a display, e.g. Xvfb)
#include "process_memory.h"
#include "shell/frame_window.h"
#include "shell/results_window.h"
#include "shell/text_store_view.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

plax::TResultForm* Results(QWidget& frame) {
    const auto forms = frame.findChildren<plax::TResultForm*>();
    return forms.isEmpty() ? nullptr : forms.front();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s FILE X Y SECONDS PNG\n", argv[0]);
        return 2;
    }
    const QPoint source(std::atoi(argv[2]), std::atoi(argv[3]));
    const int seconds = std::atoi(argv[4]);
    const QString picture = QString::fromLocal8Bit(argv[5]);

    plax::TPlaxForm frame;
    frame.resize(1200, 850);
    frame.show();
    frame.OpenFile(argv[1]);
    QElapsedTimer clock;

    QTimer log;
    log.setInterval(10'000);
    QObject::connect(&log, &QTimer::timeout, [&] {
        plax::TResultForm* form = Results(frame);
        std::printf("%4lld s  RSS %7.1f MiB  peak %7.1f MiB  lines %llu\n", clock.elapsed() / 1000,
                    plax::bench::StatusMiB("VmRSS:"), plax::bench::StatusMiB("VmHWM:"),
                    form != nullptr ? static_cast<unsigned long long>(form->LineCount()) : 0ULL);
        std::fflush(stdout);
    });

    // The text is pictured after SECONDS of listing (or when the run has ended before).
    QTimer::singleShot(seconds * 1000 + 1000, [&] {
        if (plax::TResultForm* form = Results(frame)) {
            if (auto* view = form->findChild<plax::TextStoreView*>()) {
                // A backward Find from the middle to the header reads half the text.
                const std::uint64_t middle = form->LineCount() / 2;
                view->Select({middle, 0}, {middle, 0});
                QElapsedTimer find;
                find.start();
                const bool found = view->Find(QStringLiteral("Source = 1"), true);
                std::printf("backward Find over %llu lines: %s, %lld ms\n",
                            static_cast<unsigned long long>(middle), found ? "found" : "not found",
                            find.elapsed());
                view->Select({middle, 0}, {middle, 0});
                view->ScrollToLine(middle);
                view->Find(QStringLiteral("Weight"), false);
            }
            QTest::qWait(300);
            frame.grab().save(picture);
            std::printf("picture saved, stopping\n");
            std::fflush(stdout);
            form->findChild<QPushButton*>(QStringLiteral("ExitBtn"))->click();
        }
        QTimer::singleShot(3000, [&] {
            std::printf("after Stop: RSS %.1f MiB  peak %.1f MiB\n", plax::bench::StatusMiB("VmRSS:"),
                        plax::bench::StatusMiB("VmHWM:"));
            std::fflush(stdout);
            ::_exit(0);
        });
    });

    // The hint box the command shows ("Select Source Point") is answered as a user would.
    QTimer dismiss;
    dismiss.setInterval(200);
    QObject::connect(&dismiss, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    dismiss.start();

    QTimer::singleShot(1000, [&] {
        for (QAction* action : frame.findChildren<QAction*>())
            if (action->objectName() == QStringLiteral("HamiltonianPath1") && action->isEnabled()) {
                action->trigger();
                break;
            }
        QWidget* canvas = nullptr;
        for (QWidget* widget : frame.findChildren<QWidget*>())
            if (QString::fromLatin1(widget->metaObject()->className())
                    .endsWith(QStringLiteral("NetCanvasWidget")))
                canvas = widget;
        if (canvas == nullptr) {
            std::fprintf(stderr, "no canvas\n");
            ::_exit(1);
        }
        QTest::qWait(1000);
        dismiss.stop();
        clock.start();
        log.start();
        std::printf("   0 s  RSS %7.1f MiB  (before the click)\n", plax::bench::StatusMiB("VmRSS:"));
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, source);
    });
    return QApplication::exec();
}
