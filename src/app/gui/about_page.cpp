// AboutPage: the product name and the "System Settings Overview" list.
#include "app/gui/about_page.h"

#include "app/gui/about_lines.h"
#include "app/gui/qt_text.h"

#include <QDir>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace quillex {
namespace {

constexpr int kIconSize = 64;
constexpr double kTitleScale = 1.5;

} // namespace

AboutPage::AboutPage(QWidget* parent) : QWidget(parent), overview_(new QListWidget(this)) {
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(":/quillex/quillex-gui.svg").pixmap(kIconSize, kIconSize));

    auto* name = new QLabel(message(MessageId::ProgramTitle), this);
    QFont titleFont = name->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * kTitleScale);
    name->setFont(titleFont);
    auto* version = new QLabel(tr("Version %1").arg(QStringLiteral(QUILLEX_VERSION)), this);

    auto* names = new QVBoxLayout;
    names->addWidget(name);
    names->addWidget(version);
    names->addStretch(1);
    auto* header = new QHBoxLayout;
    header->addWidget(icon);
    header->addLayout(names, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(overview_, 1);
}

void AboutPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (filled_)
        return;
    filled_ = true;
    for (const std::string& line : aboutLines(gatherSystemFacts(fromQt(QDir::currentPath()))))
        overview_->addItem(toQt(line));
}

} // namespace quillex
