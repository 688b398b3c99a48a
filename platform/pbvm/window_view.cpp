// Windows, controls and menus drawn with Qt widgets from what the classes'
// objects hold; object functions of the system controls.
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "bounded_text.h"
#include "menu_accessible.h"
#include "rtf_text.h"
#include "stock_pictures.h"
#include "vm_state.h"

namespace pbvm {

namespace {

// Positions and sizes are in window units: 4.5 per pixel across, 4 down;
// in pixels they stay within what a screen coordinate can be.
int pixels(long long n) { return static_cast<int>(std::clamp(n, -32768LL, 32767LL)); }
int px(long units) { return pixels(static_cast<long long>(units) * 2 / 9); }
int py(long units) { return pixels(static_cast<long long>(units) / 4); }

bool validColour(long c) { return c >= 0 && c < 0x1000000; }
QColor colour(long c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

void name(QWidget* w, const std::string& objectName) {
    w->setObjectName(QString::fromStdString(objectName));
    w->setAccessibleDescription(QString::fromStdString(objectName));
}

void applyFont(QWidget* w, const ObjectDef& def) {
    if (!def.has("facename") && !def.has("textsize") && !def.has("weight")) return;
    QFont font = w->font();
    if (def.has("facename")) font.setFamily(QString::fromStdString(def.text("facename")));
    // Sizes in points (negative) or pixels, up to 1,638 either way.
    const long size = std::clamp(def.number("textsize", -10), -1638L, 1638L);
    if (size < 0) font.setPointSize(static_cast<int>(-size));
    else if (size > 0) font.setPixelSize(static_cast<int>(size));
    font.setWeight(def.number("weight", 400) >= 700 ? QFont::Bold : QFont::Normal);
    w->setFont(font);
}

// A window's back colour when its definition gives none: the desktop's
// button face, light grey.
constexpr long kWindowBackColour = 12632256;

void applyColours(QWidget* w, const ObjectDef& def, QPalette::ColorRole background, long defaultBack = -1) {
    QPalette p = w->palette();
    bool any = false;
    if (long c = def.number("backcolor", defaultBack); validColour(c)) {
        p.setColor(background, colour(c));
        w->setAutoFillBackground(true);
        any = true;
    }
    if (long c = def.number("textcolor", -1); validColour(c)) {
        p.setColor(QPalette::WindowText, colour(c));
        p.setColor(QPalette::Text, colour(c));
        any = true;
    }
    if (any) w->setPalette(p);
}

std::string fieldText(Object& o, u32 field) {
    PbValue* f = FieldRecord(o, field);
    return f ? ValueText(*f) : std::string();
}

std::string withoutAmpersand(std::string s) {
    std::erase(s, '&');
    return s;
}

std::string nativePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

QPixmap picture(const std::string& name) {
    QPixmap pixmap;
    if (auto data = LibraryBitmap(name)) {
        pixmap.loadFromData(data->data(), static_cast<uint>(data->size()), "BMP");
    } else {
        pixmap.load(QString::fromStdString(nativePath(name)));
    }
    return pixmap;
}

class WindowFrame : public QMainWindow {
public:
    explicit WindowFrame(u32 object) : object_(object) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        if (std::find(S().openWindows.begin(), S().openWindows.end(), object_) != S().openWindows.end())
            CloseWindow(object_);
    }

private:
    u32 object_;
};

QWidget* containerOf(u32 parent) {
    Object* p = FindObject(parent);
    if (!p || !p->widget) return nullptr;
    if (auto* frame = qobject_cast<QMainWindow*>(p->widget.data())) return frame->centralWidget();
    if (p->sysClass == "datawindow") return nullptr;
    return p->widget;
}

}  // namespace

std::optional<Bytes> LibraryBitmap(const std::string& name) {
    if (!S().library) return std::nullopt;
    return S().library->Read(name);
}

void CreateControlWidget(Object& o) {
    const ObjectDef* def = o.def;
    if (!def) return;
    const u32 address = o.address;
    QWidget* widget = nullptr;
    if (o.sysClass == "window") {
        auto* frame = new WindowFrame(address);
        auto* client = new QWidget(frame);
        client->setFixedSize(px(def->number("width", 2000)), py(def->number("height", 1200)));
        applyColours(client, *def, QPalette::Window, kWindowBackColour);
        frame->setCentralWidget(client);
        frame->setWindowTitle(QString::fromStdString(fieldText(o, 1)));
        name(frame, o.name);
        o.widget = frame;
        return;
    }
    QWidget* parent = containerOf(o.parent);
    if (!parent) return;
    if (o.sysClass == "statictext") {
        auto* label = new QLabel(QString::fromStdString(fieldText(o, 23)), parent);
        label->setTextFormat(Qt::PlainText);
        // A text longer than the control is broken between words onto the
        // lines below, as far as the control's height shows them.
        label->setWordWrap(true);
        if (def->text("alignment") == "center") label->setAlignment(Qt::AlignCenter);
        applyColours(label, *def, QPalette::Window);
        widget = label;
    } else if (o.sysClass == "commandbutton") {
        auto* button = new QPushButton(QString::fromStdString(fieldText(o, 23)), parent);
        QObject::connect(button, &QPushButton::clicked, [address] { RunScript(address, event::kButtonClicked); });
        widget = button;
    } else if (o.sysClass == "picture") {
        auto* label = new QLabel(parent);
        QPixmap pixmap = picture(fieldText(o, 23));
        label->setPixmap(pixmap);
        if (def->number("originalsize", 0) == 0) label->setScaledContents(true);
        widget = label;
    } else if (o.sysClass == "listbox") {
        auto* list = new QListWidget(parent);
        applyColours(list, *def, QPalette::Base);
        widget = list;
    } else if (o.sysClass == "richtextedit") {
        auto* edit = new QTextEdit(parent);
        applyColours(edit, *def, QPalette::Base);
        widget = edit;
    } else if (o.sysClass == "tab") {
        auto* tabs = new QTabWidget(parent);
        applyColours(tabs, *def, QPalette::Window);
        widget = tabs;
    } else if (o.sysClass == "userobject") {
        // A tab page: the tab control places and sizes it.
        auto* tabs = qobject_cast<QTabWidget*>(FindObject(o.parent)->widget.data());
        if (!tabs) return;
        auto* page = new QWidget;
        applyColours(page, *def, QPalette::Window);
        tabs->addTab(page, QString::fromStdString(def->text("text")));
        const ObjectDef* tabDef = FindObject(o.parent)->def;
        if (tabDef && tabDef->number("selectedtab", 1) == tabs->count()) tabs->setCurrentWidget(page);
        name(page, o.name);
        o.widget = page;
        return;
    } else if (o.sysClass == "treeview") {
        widget = CreateTreeWidget(o, parent);
        applyColours(widget, *def, QPalette::Base);
    } else if (o.sysClass == "datawindow") {
        widget = CreateDataWindowWidget(o, parent);
    } else {
        return;  // objects that draw nothing
    }
    applyFont(widget, *def);
    widget->setGeometry(px(def->number("x")), py(def->number("y")), px(def->number("width", 400)),
                        py(def->number("height", 80)));
    if (def->number("enabled", 1) == 0) widget->setEnabled(false);
    if (def->number("visible", 1) == 0) widget->hide();
    else widget->show();
    // Controls made first lie on top of those made after them.
    widget->lower();
    name(widget, o.name);
    o.widget = widget;
}

void FieldChanged(Object& o, u32 field) {
    if (o.sysClass == "datastore" && field == kDataStoreDataObject) LoadDataObject(o, fieldText(o, field));
    if (o.sysClass == "window" && field == 1 && o.widget)
        o.widget->setWindowTitle(QString::fromStdString(fieldText(o, 1)));
    if ((o.sysClass == "statictext" || o.sysClass == "commandbutton") && field == 23 && o.widget) {
        if (auto* label = qobject_cast<QLabel*>(o.widget.data())) label->setText(QString::fromStdString(fieldText(o, 23)));
        if (auto* button = qobject_cast<QPushButton*>(o.widget.data()))
            button->setText(QString::fromStdString(fieldText(o, 23)));
    }
    if (o.sysClass == "menu" && field == 3 && o.action) o.action->setText(QString::fromStdString(fieldText(o, 3)));
}

void ShowWindowMenu(Object& window) {
    auto* frame = qobject_cast<QMainWindow*>(window.widget.data());
    PbValue* menuField = FieldRecord(window, 11);
    if (!frame || !menuField || (menuField->flags & flag::kNull)) return;
    Object* menu = FindObject(menuField->value);
    if (!menu) return;
    QToolBar* toolbar = nullptr;
    std::function<void(Object&, QMenu*)> addItems = [&](Object& owner, QMenu* into) {
        PbValue* items = FieldRecord(owner, 7);
        if (!items) return;
        for (u32 item : ArrayObjects(items->value)) {
            Object* it = FindObject(item);
            if (!it) continue;
            const QString text = QString::fromStdString(fieldText(*it, 3));
            PbValue* sub = FieldRecord(*it, 7);
            QAction* action;
            if (sub && !ArrayObjects(sub->value).empty()) {
                QMenu* m = into ? into->addMenu(text) : frame->menuBar()->addMenu(text);
                m->setObjectName(QString::fromStdString(it->name));
                action = m->menuAction();
                addItems(*it, m);
            } else {
                action = into ? into->addAction(text) : frame->menuBar()->addAction(text);
                QObject::connect(action, &QAction::triggered, [item] { RunScript(item, event::kMenuClicked); });
            }
            action->setObjectName(QString::fromStdString(it->name));
            qtaccess::SetMenuItemName(action, QString::fromStdString(it->name));
            it->action = action;
            const std::string pictureName = fieldText(*it, 11);
            if (!pictureName.empty()) {
                if (!toolbar) {
                    toolbar = frame->addToolBar(QStringLiteral("toolbar"));
                    toolbar->setObjectName(QStringLiteral("toolbar"));
                    toolbar->setMovable(false);
                }
                QAction* button = toolbar->addAction(StockPicture(pictureName),
                                                     QString::fromStdString(withoutAmpersand(fieldText(*it, 3))));
                button->setObjectName(QString::fromStdString(it->name + "_toolbar"));
                button->setProperty("toolbaritemname", QString::fromStdString(pictureName));
                QObject::connect(button, &QAction::triggered, [item] { RunScript(item, event::kMenuClicked); });
                if (QWidget* w = toolbar->widgetForAction(button)) name(w, it->name);
            }
        }
    };
    addItems(*menu, nullptr);
}

namespace {

bool contains(const std::vector<u32>& list, u32 window) {
    return std::find(list.begin(), list.end(), window) != list.end();
}

}  // namespace

int ConstructorEvent(const std::string& sysClass) {
    if (sysClass == "datawindow") return 36;
    if (sysClass == "treeview") return 39;
    if (sysClass == "userobject") return 33;
    return -1;
}

void RunConstructors(u32 object) {
    Object* o = FindObject(object);
    if (!o) return;
    const std::vector<u32> children = o->children;
    for (u32 child : children) {
        Object* c = FindObject(child);
        if (!c) continue;
        if (int event = ConstructorEvent(c->sysClass); event >= 0) RunScript(child, event);
        RunConstructors(child);
    }
}

bool OpenWindow(const std::string& globalName) {
    State& s = S();
    if (s.ended || s.halted) return false;
    InstallAccessibility();
    PbValue& variable = *At<PbValue>(GlobalValue(globalName));
    if (!(variable.flags & flag::kNull) && FindObject(variable.value)) {
        const u32 window = variable.value;
        if (contains(s.closing, window)) {
            // Its close is under way: it opens again once that is over.
            if (std::find(s.pendingOpen.begin(), s.pendingOpen.end(), globalName) == s.pendingOpen.end())
                s.pendingOpen.push_back(globalName);
            return true;
        }
        // Already open: a Close waiting for its scripts no longer holds.
        std::erase(s.pendingClose, window);
        if (Object* o = FindObject(window); o->widget) {
            o->widget->show();
            o->widget->raise();
            o->widget->activateWindow();
        }
        return true;
    }
    const std::string className = ClassOfGlobal(globalName);
    u32 window = CreateClassObject(className, 0);
    if (!window) return false;
    Object* o = FindObject(window);
    if (!o || o->sysClass != "window") {
        DestroyObject(window);
        return false;
    }
    variable = {window, flag::kValue, o->typeId};
    ShowWindowMenu(*o);
    s.openWindows.push_back(window);
    RunConstructors(window);
    if ((o = FindObject(window)) && o->widget && contains(s.openWindows, window)) {
        o->widget->adjustSize();
        o->widget->show();
    }
    if (contains(s.openWindows, window)) RunScript(window, event::kWindowOpen);
    return true;
}

bool CloseWindow(u32 window) {
    State& s = S();
    // A window whose close is under way is closed already as far as the
    // scripts are concerned.
    if (contains(s.closing, window) || contains(s.pendingClose, window)) return true;
    if (!contains(s.openWindows, window)) return false;
    // A window running a script closes when its scripts are over.
    if (s.busy[window] > 0) {
        s.pendingClose.push_back(window);
        return true;
    }
    s.closing.push_back(window);
    std::erase(s.openWindows, window);
    RunScript(window, event::kWindowClose);
    if (Object* o = FindObject(window); o && o->widget) o->widget->hide();
    DestroyObject(window);
    std::erase(s.closing, window);
    s.busy.erase(window);
    const std::vector<std::string> reopen = std::move(s.pendingOpen);
    s.pendingOpen.clear();
    for (const auto& name : reopen) OpenWindow(name);
    FinishIfIdle();
    return true;
}

void ScriptsOver(u32 window) {
    State& s = S();
    if (!contains(s.pendingClose, window)) return;
    std::erase(s.pendingClose, window);
    CloseWindow(window);
}

void FinishIfIdle() {
    if (S().halted || S().openWindows.empty()) QCoreApplication::exit(0);
}

int ShowMessage(const std::string& fullTitle, const std::string& fullText, int icon) {
    // Messages and errors can carry texts from outside of any length.
    const std::string title = vb::BoundedShownText(fullTitle), text = vb::BoundedShownText(fullText);
    if (S().messageBox) return S().messageBox({title, text, icon});
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        ReportError(title + ": " + text);
        return 0;
    }
    QMessageBox box;
    box.setWindowTitle(QString::fromStdString(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    // Accessibility tools read the title (the program's name when there is
    // none) as its name and the text with it.
    box.setAccessibleName(title.empty() ? QCoreApplication::applicationName() : box.windowTitle());
    box.setAccessibleDescription(box.text());
    static const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Critical, QMessageBox::Warning,
                                              QMessageBox::Question, QMessageBox::NoIcon};
    box.setIcon(icon >= 0 && icon < 5 ? icons[icon] : QMessageBox::NoIcon);
    // A button of its own: the toolkit's standard OK button may carry a
    // style's icon.
    box.setDefaultButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    box.exec();
    return 1;
}

namespace {

const PbValue& arg(u32 first, u32 i) { return At<PbValue>(first)[i]; }

void setLong(PbValue& r, long n) { r = {static_cast<u32>(n), flag::kLong, type::kLong}; }

bool dirList(Object& o, u32 argc, u32 first, PbValue& r) {
    auto* list = qobject_cast<QListWidget*>(o.widget.data());
    if (argc < 2 || !list) return false;
    const QString spec = QString::fromStdString(ValueText(arg(first, 0)));
    QDir dir = QDir::current();
    QStringList files = dir.entryList(QStringList{spec == "*.*" ? QStringLiteral("*") : spec},
                                      QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    list->clear();
    list->addItems(files);
    if (argc >= 3) {
        const PbValue& label = arg(first, 2);
        if (Object* text = FindObject(label.value); text && !(label.flags & flag::kNull)) {
            if (PbValue* f = FieldRecord(*text, 23)) {
                ReleaseValue(*f);
                *f = {NewString(QDir::toNativeSeparators(dir.absolutePath()).toStdString()), flag::kValue, type::kString};
                FieldChanged(*text, 23);
            }
        }
    }
    r = {1, flag::kConstant, type::kBoolean};
    return true;
}

bool insertDocument(Object& o, u32 argc, u32 first, PbValue& r) {
    auto* edit = qobject_cast<QTextEdit*>(o.widget.data());
    if (argc < 1 || !edit) return false;
    std::ifstream in(nativePath(ValueText(arg(first, 0))), std::ios::binary);
    if (!in) {
        setLong(r, -1);
        return true;
    }
    std::string rtf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const bool clear = argc < 2 || ValueLong(arg(first, 1)) != 0;
    if (clear) edit->clear();
    edit->moveCursor(QTextCursor::End);
    edit->insertHtml(QString::fromStdString(RtfToHtml(rtf)));
    edit->moveCursor(QTextCursor::Start);
    setLong(r, 1);
    return true;
}

bool setColour(Object& o, u32 argc, u32 first, PbValue& r, QPalette::ColorRole role) {
    if (argc < 1) return false;
    long c = ValueLong(arg(first, 0));
    if (o.widget && validColour(c)) {
        QPalette p = o.widget->palette();
        p.setColor(role, colour(c));
        o.widget->setPalette(p);
    }
    setLong(r, 1);
    return true;
}

}  // namespace

bool CallSystemObjectFunction(Object& o, u32 index, u32 argc, u32 first, PbValue& r) {
    if (o.sysClass == "treeview" && CallTreeFunction(o, index, argc, first, r)) return true;
    if ((o.sysClass == "datawindow" || o.sysClass == "datastore") && CallDataWindowFunction(o, index, argc, first, r))
        return true;
    if (o.sysClass == "listbox" && index == 47) return dirList(o, argc, first, r);
    if (o.sysClass == "richtextedit") {
        if (index == 132) return insertDocument(o, argc, first, r);
        if (index == 80 && argc >= 1) {
            o.dataObject = ValueText(arg(first, 0));
            if (o.widget) o.widget->setProperty("documentname", QString::fromStdString(o.dataObject));
            setLong(r, 1);
            return true;
        }
        if (index == 40) return setColour(o, argc, first, r, QPalette::Base);
        if (index == 54) {
            if (argc >= 1 && o.widget) o.widget->setProperty("inputfieldbackcolor", static_cast<qlonglong>(ValueLong(arg(first, 0))));
            setLong(r, 1);
            return true;
        }
    }
    ReportError("the " + o.sysClass + " " + o.name + " has no function " + std::to_string(index));
    return false;
}

}  // namespace pbvm
