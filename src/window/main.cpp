#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral(u"Veltaro查询-数据来自中国风云二号气象卫星"));
    window.show();
    return app.exec();
}
