#include "shell/command_line.h"

#include <QCommandLineParser>
#include <QStringList>

#ifndef PLAX_VERSION
#define PLAX_VERSION "0.0.0"
#endif

namespace plax {

namespace {

constexpr int ExitUsage = 2;

constexpr const char* QtOptionsText =
    "\nQt's own options, passed on to it:\n"
    "  -platform NAME, -platformpluginpath PATH, -platformtheme NAME, -plugin NAME,\n"
    "  -qmljsdebugger ARGS, -qwindowgeometry GEOMETRY, -qwindowicon ICON, -qwindowtitle TITLE,\n"
    "  -session NAME, -display DISPLAY, -geometry GEOMETRY, -style NAME, -stylesheet FILE,\n"
    "  -reverse, -widgetcount\n";

// The options QApplication takes out of argv itself; known here so they are not refused.
void AcceptQtOptions(QCommandLineParser& parser) {
    const char* const withValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                     "qmljsdebugger", "qwindowgeometry", "qwindowicon", "qwindowtitle",
                                     "session", "display", "geometry", "style", "stylesheet"};
    const char* const bare[] = {"reverse", "widgetcount"};
    for (const char* name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : bare) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

std::string HelpText(const QCommandLineParser& parser) {
    // Without an application object the parser cannot know the program's name.
    QString text = parser.helpText();
    text.replace(0, text.indexOf(QLatin1Char('\n')), QStringLiteral("Usage: plax [options] [FILE...]"));
    return text.toStdString();
}

} // namespace

StartRequest ReadCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    // "-platform" is one option, as Qt reads it, not the letters p, l, a, ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Editor and analyser for small networks (at most 15 points).\n"
                       "Opens each FILE as File > Open would: .net and .kp files as nets, .txt files\n"
                       "as report files. Use -- before a file name that begins with '-'."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("a net, Krack Plot or report file"),
                                 QStringLiteral("[FILE...]"));
    AcceptQtOptions(parser);

    // Latin-1 maps each byte to one character and back, so a file name survives whatever its bytes.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLatin1(argv[i]);
    if (!parser.parse(args)) {
        err << "plax: " << parser.errorText().toStdString() << "\nTry 'plax --help'.\n";
        return {ExitUsage, {}};
    }
    const bool helpAll = parser.isSet(QStringLiteral("help-all"));
    if (parser.isSet(help) || helpAll) {
        out << HelpText(parser);
        if (helpAll) out << QtOptionsText;
        return {out.flush() ? 0 : 1, {}};
    }
    if (parser.isSet(version)) {
        out << "plax " << PLAX_VERSION << '\n';
        return {out.flush() ? 0 : 1, {}};
    }
    StartRequest request;
    for (const QString& file : parser.positionalArguments())
        request.files.push_back(file.toLatin1().toStdString());
    return request;
}

} // namespace plax
