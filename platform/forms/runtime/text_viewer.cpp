#include "text_viewer.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QVBoxLayout>

#include "application.h"

namespace forms {

namespace {

constexpr char kViewerName[] = "TextViewer";

QString Decoded(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) text = QString::fromLatin1(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace

bool ShowTextFile(const std::string& path) {
    EnsureQtApplication();
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QString text = Decoded(file.readAll());

    auto* window = new QWidget(nullptr, Qt::Window);
    window->setObjectName(kViewerName);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QFileInfo(file).fileName());
    window->setAccessibleDescription(QFileInfo(file).absoluteFilePath());
    auto* view = new QPlainTextEdit(window);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setPlainText(text);
    view->setAccessibleName(window->windowTitle());
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    window->resize(640, 480);
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

std::vector<QWidget*> TextViewerWindows() {
    std::vector<QWidget*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(kViewerName) && w->isVisible()) out.push_back(w);
    }
    return out;
}

}  // namespace forms
