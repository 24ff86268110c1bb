#include "dialogs/ui/about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/ui/library_versions.h"
#include "ui/app_icon.h"
#include "ui/control_ids.h"
#include "velk.h"

namespace velk::app {

namespace {

constexpr int kIconSize = 32;
constexpr int kTextLines = 5;

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報"));
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(kIconSize, kIconSize));
    auto* product =
        new QLabel(QStringLiteral("<b>%1</b><br>%2 %3")
                       .arg(QString::fromUtf8(ids::kProductName), QString::fromUtf8("エンジン"),
                            EngineVersionText(velk_getVersion())),
                   this);
    auto* heading = new QHBoxLayout;
    heading->addWidget(icon, 0, Qt::AlignTop);
    heading->addWidget(product, 1);

    auto* libraries = new QPlainTextEdit(LibraryVersions(), this);
    libraries->setObjectName(ids::ControlObjectName(kLibraryText));
    libraries->setReadOnly(true);
    libraries->setFixedHeight(libraries->fontMetrics().lineSpacing() * kTextLines +
                              2 * libraries->frameWidth() + 8);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(ids::ControlObjectName(1));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(libraries);
    layout->addWidget(buttons);
}

void AboutBox::Show(QWidget* parent) {
    AboutBox box(parent);
    box.exec();
}

}  // namespace velk::app
