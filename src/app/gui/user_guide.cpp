// UserGuide: the Help window, showing the user guide shipped in the program.
#include "app/gui/user_guide.h"

#include "app/gui/qt_text.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quillex {
namespace {

constexpr const char* kGuide = "qrc:/quillex/user-guide.html";
// The window's size in average character widths and lines of text.
constexpr int kWidthInCharacters = 90;
constexpr int kHeightInLines = 36;

} // namespace

UserGuide::UserGuide(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
    setWindowTitle(tr("%1 - User Guide").arg(message(MessageId::ProgramTitle)));
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl(QString::fromLatin1(kGuide)));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
    resize(fontMetrics().averageCharWidth() * kWidthInCharacters,
           fontMetrics().lineSpacing() * kHeightInLines);
}

} // namespace quillex
