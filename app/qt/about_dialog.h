#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace zemra::app {

// The About box: the program's icon, its name and version, and a button that closes it.
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent = nullptr);

  private:
    void placeControls();

    QLabel icon_{this};
    QLabel version_{this};
    QLabel purpose_{this};
    QPushButton okButton_{this};
};

}  // namespace zemra::app
