// Entry point: the Qt application with its Japanese standard texts, then Main.

#include "app/startup.h"
#include "store/config.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The screens are Japanese: standard buttons read はい / いいえ / キャンセル.
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&translator);
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPointSize(9);
    app.setFont(font);

    // The whole command line is the operator code.
    QByteArrayList args;
    for (int i = 1; i < argc; ++i)
        args.append(QByteArray(argv[i]));
    return Main(args.join(' '), ProgramFolder());
}
