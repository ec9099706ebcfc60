// Writes a generated stage over a file under conditions the stage file test sets up:
//   core_write_helper <file> <media count> [--fsize <bytes>] [--as-nobody]
// --fsize limits the size of any file the process writes (SIGXFSZ ignored, so writes fail
// with an error instead of killing the process); --as-nobody drops root rights first.
// Exit code: 0 written, 1 writeToFile() refused, 2 the conditions could not be set up.

#include "kvscreen.h"
#include "kvstage.h"

#include <QCoreApplication>
#include <QTextStream>

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace Kova;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() < 3) {
        err << "usage: core_write_helper <file> <media count> [--fsize <bytes>] [--as-nobody]\n";
        return 2;
    }
    const QString path = args.at(1);
    const int mediaCount = args.at(2).toInt();
    for (int i = 3; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--fsize") && i + 1 < args.size()) {
            signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit;
            limit.rlim_cur = limit.rlim_max = args.at(++i).toULongLong();
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
                err << "setrlimit failed\n";
                return 2;
            }
        } else if (args.at(i) == QLatin1String("--as-nobody")) {
            if (geteuid() == 0) {
                const passwd* nobody = getpwnam("nobody");
                if (!nobody || setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 ||
                    setuid(nobody->pw_uid) != 0) {
                    err << "cannot become nobody\n";
                    return 2;
                }
            }
        }
    }

    KvStage stage(path);
    stage.setName(QStringLiteral("Generated"));
    auto* screen = new KvScreen(ScreenType::Multimedia, 1);
    screen->setRect(QRectF(0, 0, 1920, 1080));
    for (int i = 0; i < mediaCount; ++i) {
        auto* media =
            new KvMedia(QStringLiteral("image/generated-%1.png").arg(i), MediaType::Image);
        media->setName(QStringLiteral("Generated medium number %1 with a longish name").arg(i));
        screen->addMedia(media);
    }
    stage.addScreen(screen);
    if (!stage.writeToFile()) {
        err << stage.errorString() << '\n';
        return 1;
    }
    return 0;
}
