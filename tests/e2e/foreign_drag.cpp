// Another program to drag from: pressing the mouse in its window drags plain text, a file list
// or an image (chosen by the first argument) the way a file manager or editor would.
#include <QApplication>
#include <QDrag>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace {

class Source : public QLabel
{
public:
    explicit Source(QString kind) : QLabel(QStringLiteral("drag me")), m_kind(std::move(kind)) {}

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        auto *data = new QMimeData;
        if (m_kind == u"files")
            data->setUrls({QUrl::fromLocalFile(QStringLiteral("/etc/hostname"))});
        else if (m_kind == u"image")
            data->setImageData(QImage(16, 16, QImage::Format_RGB32));
        else
            data->setText(QStringLiteral("a"));
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
    }

private:
    QString m_kind;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    Source source(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("text"));
    source.setWindowTitle(QStringLiteral("Foreign drag source"));
    source.setGeometry(700, 100, 200, 100);
    source.show();
    return QApplication::exec();
}
