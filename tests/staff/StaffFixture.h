#pragma once

#include "TestProgram.h"
#include "staff/EmployeesCommand.h"
#include "store/StaffFiles.h"

#include <QFile>
#include <QTextStream>
#include <cstddef>
#include <gtest/gtest.h>

// A program folder with a clock database and the staff of this program as the employee source,
// on Monday 7 December 2026.
struct StaffFixture : TestProgram {
    StaffFixture()
        : TestProgram(QDateTime(QDate(2026, 12, 7), QTime(8, 0)))
    {
        session.setEmployeeSource(EmployeeSource::LocalFiles);
    }

    QString employeeFile() const { return StaffFiles::employeeFile(session.paths()); }
    QString departmentFile() const { return StaffFiles::departmentFile(session.paths()); }

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
        session.setEmployees(StaffFiles::loadEmployees(employeeFile()));
        session.setDepartments(StaffFiles::loadDepartments(departmentFile()));
    }

    // One `tellarin employees` command line, split at blanks, with its exit code and outputs.
    struct Run {
        int code = 0;
        QString out;
        QString err;
    };
    Run employees(const char* args)
    {
        Run run;
        QTextStream out(&run.out);
        QTextStream err(&run.err);
        run.code = runEmployeesCommand(services, session, QString::fromLatin1(args).split(QLatin1Char(' ')),
                                       out, err);
        out.flush();
        err.flush();
        return run;
    }

    // One `tellarin employees` command and its answer; `err` is the start of the line on standard
    // error, empty when nothing may be written there.
    struct Step {
        const char* args;
        int code;
        const char* out;
        const char* err;
    };
    // Runs the commands in order, each checked against its answer.
    template <std::size_t N> void runSteps(const Step (&steps)[N])
    {
        for (const Step& s : steps) {
            const Run run = employees(s.args);
            EXPECT_EQ(run.code, s.code) << s.args << ": " << run.err.toStdString();
            EXPECT_EQ(run.out, QString::fromLatin1(s.out)) << s.args;
            EXPECT_TRUE(*s.err ? run.err.startsWith(QString::fromLatin1(s.err)) : run.err.isEmpty())
                << s.args << ": " << run.err.toStdString();
        }
    }
};
