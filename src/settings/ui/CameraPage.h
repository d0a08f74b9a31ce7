#pragma once

#include "platform/Camera.h"
#include "settings/ui/OptionsPage.h"

class QLabel;
struct ProgramState;

// The "Camera" page of the options dialog: which camera takes the pictures and at what size, and a
// live test picture. The choice is kept in the program folder and given to the punch camera at once.
//
// Object names: cmdPictureProperties, cmdPictureSize, cmdTestCamera, camTest, lblCamera.
class CameraPage : public OptionsPage {
    Q_OBJECT

public:
    explicit CameraPage(ProgramState& state, QWidget* parent = nullptr);
    void stopCamera();

private:
    void chooseDevice();
    void chooseSize();
    void testCamera();
    void noCamera();
    void keep(const CameraChoice& choice);
    void showChoice();

    ProgramState& m_state;
    QWidget* m_area = nullptr;
    QLabel* m_choice = nullptr;
    bool m_testing = false;
};
