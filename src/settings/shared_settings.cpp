#include "settings/shared_settings.h"

#include "framework/errors.h"
#include "settings/marl_REG.h"

namespace stilvane {

std::string SharedSettings::Read(const char* name) const {
    return ReadRegString(root_, path_, name);
}

void SharedSettings::Write(const char* name, bool on) const {
    WriteRegString(root_, path_, name, on ? "1" : "0");
}

void SharedSettings::PublishProgramDirectory(const std::string& directory) const {
    WriteRegString(root_, path_, kValueDirectory, directory);
}

bool SharedSettings::ReadBlocking() const {
    return Read(kValueBlocking) == "1";
}

bool SharedSettings::BlockingStoredAsOff() const {
    return Read(kValueBlocking) == "0";
}

void SharedSettings::WriteBlocking(bool on) const {
    Write(kValueBlocking, on);
}

bool SharedSettings::ReadSound() const {
    return Read(kValueSound) != "0";
}

bool SharedSettings::NormaliseSound() const {
    const bool on = ReadSound();
    Write(kValueSound, on);
    return on;
}

bool SharedSettings::SoundStoredAs(bool on) const {
    return Read(kValueSound) == (on ? "1" : "0");
}

bool SharedSettings::ProgramDirectoryPublished() const {
    return !Read(kValueDirectory).empty();
}

void SharedSettings::WriteSound(bool on) const {
    Write(kValueSound, on);
}

bool SharedSettings::TakeBlockSignal() const {
    bool signalled;
    try {
        signalled = ReadRegInteger(root_, path_, kValueBlockTime) != 0;
    } catch (const EConvertError&) {
        signalled = true;
    } catch (const ERegistryException&) {
        signalled = true;
    }
    if (signalled)
        DeleteRegValue(root_, path_, kValueBlockTime);
    return signalled;
}

} // namespace stilvane
