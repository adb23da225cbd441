#include "sound/snd_api.h"

#include "support/log.h"

SndAPI::SndAPI()
{
    // The rest of the line names the library behind the player.
    if (g_log) g_log->Print("SndAPI : Creating SndAPI object using ");
}

void SndAPI::LogNotImplemented()
{
    if (g_log) g_log->Print("| ERROR: this method wasn't implemented in subclass!! (correct this please)\n");
}

void SndAPI::Setup()
{
}

bool SndAPI::Init()
{
    return false;
}

bool SndAPI::Load(const char*, int)
{
    return false;
}

bool SndAPI::Play(int)
{
    return false;
}

bool SndAPI::Reserved(std::uint32_t)
{
    LogNotImplemented();
    return false;
}

bool SndAPI::SetVolume(float)
{
    LogNotImplemented();
    return false;
}

bool SndAPI::Stop()
{
    return false;
}

bool SndAPI::Close()
{
    return false;
}

std::uint32_t SndAPI::GetTime()
{
    LogNotImplemented();
    return 0;
}

std::uint32_t SndAPI::GetRow()
{
    return 0;
}

std::uint32_t SndAPI::GetPosition()
{
    return 0;
}

std::uint32_t SndAPI::GetOrder()
{
    return 0;
}

void SndAPI::SetOrder(int)
{
}

void SndAPI::SetPosition(unsigned int)
{
}

void SndAPI::Info()
{
    LogNotImplemented();
}
