#pragma once

#include "platform/Camera.h"
#include "settings/ui/OptionsPage.h"

class QLabel;
struct Services;
class Session;

// The "Camera" page of the options dialog: which camera takes the pictures and at what size, and a
// live test picture. The choice is kept in the program folder and given to the punch camera at once.
//
// Object names: cmdPictureProperties, cmdPictureSize, cmdTestCamera, camTest, lblCamera.
class CameraPage : public OptionsPage {
    Q_OBJECT

public:
    explicit CameraPage(const Services& services, Session& session, QWidget* parent = nullptr);
    void stopCamera();

private:
    void chooseDevice();
    void chooseSize();
    void testCamera();
    void noCamera();
    void keep(const CameraChoice& choice);
    void showChoice();

    const Services& m_services;
    Session& m_session;
    QWidget* m_area = nullptr;
    QLabel* m_choice = nullptr;
    bool m_testing = false;
};
