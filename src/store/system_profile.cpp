#include "store/system_profile.h"

#include <QRegularExpression>

#include <string>

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

cProfile::cProfile()
{
    struct utsname info {};
    if (uname(&info) == 0) {
        os_ = QString::fromLocal8Bit(info.sysname);
        // "6.1.0-18-amd64": version 6.1, build 0.
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^(\\d+)\\.(\\d+)(?:\\.(\\d+))?"))
                .match(QString::fromLocal8Bit(info.release));
        if (m.hasMatch()) {
            ver_ = m.captured(1) + QLatin1Char('.') + m.captured(2);
            build_ = m.captured(3).isEmpty() ? QStringLiteral("0") : m.captured(3);
        }
        csdVer_ = QString::fromLocal8Bit(info.version);
        machine_ = QString::fromLocal8Bit(info.nodename);
    } else {
        os_ = QStringLiteral("Unknown OS");
    }
    char domain[256] = {};
    if (getdomainname(domain, sizeof domain - 1) == 0 && std::string(domain) != "(none)")
        domain_ = QString::fromLocal8Bit(domain);
    if (const passwd* pw = getpwuid(geteuid()))
        user_ = QString::fromLocal8Bit(pw->pw_name);
}

SystemProfile LoadSystemProfile()
{
    const cProfile profile;
    return SystemProfile{profile.OS(), profile.Ver(), profile.User(), profile.machine()};
}
