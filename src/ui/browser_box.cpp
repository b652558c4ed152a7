#include "ui/browser_box.h"

#include "net/page_fetch.h"
#include "ui/text_bridge.h"

namespace textorin {

BrowserBox::BrowserBox(QWidget* parent) : QTextBrowser(parent) {
    setOpenExternalLinks(true);
    setOpenLinks(false);  // a link is for the user's browser, never loaded here
}

BrowserBox::~BrowserBox() {
    abort_.abort();
    workers_.wait_idle();
}

void BrowserBox::set_address(const QString& address) {
    address_ = address;
    const int generation = ++generation_;
    clear();
    if (address.trimmed().isEmpty()) return;
    workers_.spawn([this, generation, target = from_qt(address)] {
        const Bytes body = fetch_page(target, {nullptr, &abort_});
        const QString html = QString::fromUtf8(reinterpret_cast<const char*>(body.data()),
                                               static_cast<qsizetype>(body.size()));
        if (abort_.aborted()) return;
        QMetaObject::invokeMethod(
            this,
            [this, generation, html] {
                if (generation == generation_) setHtml(html);
            },
            Qt::QueuedConnection);
    });
}

}  // namespace textorin
