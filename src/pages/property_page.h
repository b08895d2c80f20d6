#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace Vantrel3 {

class Vantrel;

// What every design-time page shares: a caption, the selection the frame hands over, the
// changed mark that makes the frame offer Apply, and the frame's calls (load on a new selection,
// apply, end). Pages are created empty; the constructor is their creation reaction.
class PropertyPage : public QWidget {
    Q_OBJECT

public:
    explicit PropertyPage(const QString &caption, QWidget *parent = nullptr);
    ~PropertyPage() override;

    QString Caption() const { return m_caption; }

    // The controls as handed over, in order; one destroyed since then reads as null.
    QList<Vantrel *> SelectedControls() const;
    // Stores the selection, then lets the page load its fields.
    void SetSelectedControls(const QList<Vantrel *> &controls);

    bool Changed() const { return m_changed; }
    void SetChanged(bool changed);

    // The frame's calls. ApplyChanges lets a failure (VbError) through to the frame.
    virtual void SelectionChanged() {}
    virtual void ApplyChanges() {}
    virtual void Terminate() {}

Q_SIGNALS:
    void ChangedMarkChanged(bool changed);

protected:
    // The one control the pages read and write; null when there is none.
    Vantrel *FirstControl() const;
    // For field signals: any edit marks the page changed.
    void MarkChanged() { SetChanged(true); }

private:
    QString m_caption;
    QList<QPointer<Vantrel>> m_selection;
    bool m_changed = false;
};

} // namespace Vantrel3
