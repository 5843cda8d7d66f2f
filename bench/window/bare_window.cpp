// The peer of the start-up benchmark: the least a Qt Widgets program does to show a window of
// the main window's size, ended at its first painted frame like the real start.

#include "FirstPaintProbe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    const bool rssByMapping = quillabe::bench::TakeRssByMappingOption(argc, argv);
    quillabe::bench::EndAtFirstPaint("bareWindow", rssByMapping);
    QApplication app(argc, argv);
    QWidget window;
    window.setObjectName("bareWindow");
    window.setWindowTitle("bare window");
    window.resize(754, 571);
    window.show();
    return app.exec();
}
