#pragma once

#include "platform/Camera.h"
#include "platform/SoundPlayer.h"
#include "settings/ProgramState.h"
#include "store/StaffFiles.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeTimeSource.h"
#include "support/TestFolder.h"

#include <QFile>

// A program folder with a clock database and the staff of this program as the employee source,
// on Monday 7 December 2026.
struct StaffFixture {
    TestFolder folder;
    FakeTimeSource time{QDateTime(QDate(2026, 12, 7), QTime(8, 0))};
    FakeMessageBoxes messages;
    SilentSoundPlayer sounds;
    NoCamera camera;
    ProgramState state{folder.paths(), folder.database(), time, messages, sounds, camera};

    StaffFixture() { state.useSchedulingLink = state.useLocalStaff = true; }

    QString employeeFile() const { return StaffFiles::employeeFile(state.paths); }
    QString departmentFile() const { return StaffFiles::departmentFile(state.paths); }

    static QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Writes the files and loads them into the state as the start-up does.
    void writeStaff(const QList<Employee>& employees, const QList<Department>& departments)
    {
        StaffFiles::writeEmployees(employeeFile(), employees);
        StaffFiles::writeDepartments(departmentFile(), departments);
        state.employees = StaffFiles::loadEmployees(employeeFile());
        state.departments = StaffFiles::loadDepartments(departmentFile());
    }
};
