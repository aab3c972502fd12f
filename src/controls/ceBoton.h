#pragma once

#include <QPushButton>

// A push button with a picture. With xDefault it answers Enter, with xCancel
// Escape, pressed anywhere in its window that no field takes for itself.
class ceBoton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(bool xDefault READ xDefault WRITE setXDefault)
    Q_PROPERTY(bool xCancel READ xCancel WRITE setXCancel)

  public:
    explicit ceBoton(QWidget* parent = nullptr);
    explicit ceBoton(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString& c) { setText(c); }
    QIcon Picture() const { return icon(); }
    void setPicture(const QIcon& i) { setIcon(i); }
    bool xDefault() const { return xDefault_; }
    void setXDefault(bool sí);
    bool xCancel() const { return xCancel_; }
    void setXCancel(bool sí);

  signals:
    void Click();

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    bool event(QEvent* e) override;

  private:
    void vigilarVentana();
    bool xDefault_ = false;
    bool xCancel_ = false;
    QWidget* ventana_ = nullptr;
};
