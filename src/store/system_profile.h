#pragma once
// Facts about the machine, collected once. Only the host name has a consumer:
// it labels the database connection.

#include <QString>

class cProfile {
public:
    cProfile();
    QString Build() const { return build_; }
    QString CSDVer() const { return csdVer_; }
    QString machine() const { return machine_; }
    QString Domain() const { return domain_; }
    QString OS() const { return os_; }
    QString User() const { return user_; }
    QString Ver() const { return ver_; }

private:
    QString build_, csdVer_, machine_, domain_, os_, user_, ver_;
};

// The program-wide copies taken from one profile at start-up.
struct SystemProfile {
    QString OS;
    QString Ver;
    QString User;
    QString Machine;
};

SystemProfile LoadSystemProfile();
