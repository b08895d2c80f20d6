#include "pages/property_page_frame.h"

#include "pages/general_page.h"
#include "pages/informazioni_page.h"
#include "pages/style_page.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/MessageBox.h>
#include <Vantrel3/PropertyPages.h>
#include <Vantrel3/Vantrel.h>

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace Vantrel3 {

namespace {
QString frameTitle(const QList<Vantrel *> &controls) {
    const Vantrel *first = controls.isEmpty() ? nullptr : controls.first();
    const QString name =
        first && !first->objectName().isEmpty() ? first->objectName() : QStringLiteral("Vantrel");
    return QStringLiteral("Proprietà di ") + name;
}
} // namespace

PropertyPageFrame::PropertyPageFrame(const QList<Vantrel *> &controls, QWidget *parent)
    : QDialog(parent), m_tabs(new QTabWidget(this)),
      m_buttons(new QDialogButtonBox(
          QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this)) {
    setObjectName(QStringLiteral("PropertyPageFrame"));
    setWindowTitle(frameTitle(controls));
    m_tabs->setObjectName(QStringLiteral("Pages"));
    OkButton()->setObjectName(QStringLiteral("cmdOK"));
    CancelButton()->setObjectName(QStringLiteral("cmdCancel"));
    ApplyButton()->setObjectName(QStringLiteral("cmdApply"));
    // Italian whatever translations the host loads for Qt's own buttons.
    OkButton()->setText(QStringLiteral("OK"));
    CancelButton()->setText(QStringLiteral("Annulla"));
    ApplyButton()->setText(QStringLiteral("Applica"));
    ApplyButton()->setEnabled(false);
    // Enter in a text box must not close the dialog behind the developer's back.
    OkButton()->setAutoDefault(false);
    OkButton()->setDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);

    m_pages = {new GeneralPage(), new StylePage(), new InformazioniPage()};
    for (PropertyPage *page : m_pages) {
        m_tabs->addTab(page, page->Caption());
        connect(page, &PropertyPage::ChangedMarkChanged, this,
                &PropertyPageFrame::updateApplyButton);
    }
    for (PropertyPage *page : m_pages) {
        guarded("PropertyPageFrame::SelectionChanged",
                [&] { page->SetSelectedControls(controls); });
    }

    connect(OkButton(), &QPushButton::clicked, this, [this] {
        guarded("PropertyPageFrame::OK", [this] {
            if (ApplyChanges()) {
                accept();
            }
        });
    });
    connect(CancelButton(), &QPushButton::clicked, this, &PropertyPageFrame::reject);
    connect(ApplyButton(), &QPushButton::clicked, this,
            [this] { guarded("PropertyPageFrame::Apply", [this] { ApplyChanges(); }); });
}

PropertyPageFrame::~PropertyPageFrame() = default;

QPushButton *PropertyPageFrame::OkButton() const {
    return m_buttons->button(QDialogButtonBox::Ok);
}

QPushButton *PropertyPageFrame::CancelButton() const {
    return m_buttons->button(QDialogButtonBox::Cancel);
}

QPushButton *PropertyPageFrame::ApplyButton() const {
    return m_buttons->button(QDialogButtonBox::Apply);
}

bool PropertyPageFrame::ApplyChanges() {
    for (PropertyPage *page : m_pages) {
        if (!page->Changed()) {
            continue;
        }
        std::optional<QString> failure;
        try {
            page->ApplyChanges();
        } catch (const VbError &error) {
            failure = error.Description();
        } catch (const std::exception &error) {
            failure = QString::fromLocal8Bit(error.what());
        }
        if (failure) {
            // The page keeps its mark, so Apply stays on offer after the developer's fix.
            m_tabs->setCurrentWidget(page);
            MsgBox(*failure, vbExclamation, windowTitle(), this);
            return false;
        }
        page->SetChanged(false);
    }
    return true;
}

void PropertyPageFrame::done(int result) {
    for (PropertyPage *page : m_pages) {
        page->Terminate();
    }
    QDialog::done(result);
}

void PropertyPageFrame::updateApplyButton() {
    const bool anyChanged = std::any_of(m_pages.cbegin(), m_pages.cend(),
                                        [](const PropertyPage *page) { return page->Changed(); });
    ApplyButton()->setEnabled(anyChanged);
}

void ShowPropertyPages(const QList<Vantrel *> &controls, QWidget *parent) {
    PropertyPageFrame frame(controls, parent);
    frame.exec();
}

} // namespace Vantrel3
