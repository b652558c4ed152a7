// The browser box: shows the page at its address. A light viewer, not a browser engine: the
// page is fetched by the program's own HTTP client off the user-interface thread and its HTML
// shown as rich text; links open in the user's browser.
#pragma once

#include <QTextBrowser>

#include "app/workers.h"
#include "platform/abort_signal.h"

namespace textorin {

class BrowserBox : public QTextBrowser {
    Q_OBJECT

  public:
    explicit BrowserBox(QWidget* parent = nullptr);
    ~BrowserBox() override;  // aborts a fetch under way and waits for it to end

    QString address() const { return address_; }
    // An empty address shows an empty page.
    void set_address(const QString& address);

  private:
    QString address_;
    int generation_ = 0;  // a late page of an earlier address is dropped
    AbortSignal abort_;
    Workers workers_;
};

}  // namespace textorin
