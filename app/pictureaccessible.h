// Picture boxes as a screen reader sees them: graphics named after what they show. A winning
// picture on screen also offers "Bank", which banks it as a drop on the barrel does, so the
// game can be won without dragging.
#pragma once

#include <QAccessibleWidget>

class PictureBoxAccessible : public QAccessibleWidget
{
public:
    static constexpr auto bankAction = "Bank";

    explicit PictureBoxAccessible(QWidget *picture);

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

    // For QAccessible::installFactory.
    static QAccessibleInterface *factory(const QString &className, QObject *object);
};
