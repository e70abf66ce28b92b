// tinsora_x11_helper window NAME RRGGBB X Y WIDTH HEIGHT: a borderless window
//   of one colour at a place, titled NAME, until it is killed.
// tinsora_x11_helper grab FILE X Y WIDTH HEIGHT: saves that part of the screen
//   as it is shown (PNG).
// tinsora_x11_helper clipboard-image: owns the clipboard and the selection with a
//   picture and no text, says "ready", and keeps them until it is killed.

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() == 8 && args[1] == QLatin1String("window")) {
        QWidget window(nullptr, Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
        window.setWindowTitle(args[2]);
        window.setStyleSheet(QStringLiteral("background: #%1;").arg(args[3]));
        window.setGeometry(args[4].toInt(), args[5].toInt(), args[6].toInt(), args[7].toInt());
        window.show();
        return QApplication::exec();
    }
    if (args.size() == 7 && args[1] == QLatin1String("grab")) {
        QScreen* screen = QGuiApplication::primaryScreen();
        const QImage image =
            screen
                ->grabWindow(0, args[3].toInt(), args[4].toInt(), args[5].toInt(), args[6].toInt())
                .toImage();
        if (image.isNull() || !image.save(args[2])) {
            std::fprintf(stderr, "tinsora_x11_helper: could not grab the screen\n");
            return 1;
        }
        return 0;
    }
    if (args.size() == 2 && args[1] == QLatin1String("clipboard-image")) {
        for (const QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
            auto* data = new QMimeData;
            data->setData(QStringLiteral("image/png"), QByteArray("\x89PNG\r\n\x1a\n", 8));
            QGuiApplication::clipboard()->setMimeData(data, mode);
        }
        std::printf("ready\n");
        std::fflush(stdout);
        return QApplication::exec();
    }
    std::fprintf(stderr, "usage: tinsora_x11_helper window NAME RRGGBB X Y W H\n"
                         "       tinsora_x11_helper grab FILE X Y W H\n"
                         "       tinsora_x11_helper clipboard-image\n");
    return 2;
}
