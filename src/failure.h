#pragma once

// The program's failures. Each is raised where it happens, with a reason in plain words, and
// caught only at a handler's edge: the display command turns every one of them into "无法找到"
// (its reason goes to the status line's tooltip); start-up shows it in a message box.

#include <stdexcept>
#include <string>

namespace veltaro {

class Failure : public std::runtime_error
{
public:
    explicit Failure(const std::string &reason) : std::runtime_error(reason) {}
};

// A list text that is empty, not a number, or outside the 16-bit range.
class ConversionFailure : public Failure
{
public:
    using Failure::Failure;
};

// 16-bit arithmetic whose result leaves -32768..32767.
class OverflowFailure : public Failure
{
public:
    using Failure::Failure;
};

// The transfer failed: no connection, an HTTP error status, a short or oversized body, a time-out.
class NetworkFailure : public Failure
{
public:
    using Failure::Failure;
};

// A file could not be written: the staging file, a file the user keeps.
class FileFailure : public Failure
{
public:
    using Failure::Failure;
};

// The bytes are not a whole picture of a format the program shows: cut short, damaged, too
// large for their own header, or of another format.
class PictureFailure : public Failure
{
public:
    using Failure::Failure;
};

// A whole picture could not be made into another (enhanced, or encoded into a loop's file): the
// library refused it, or the memory ran out. Nothing is wrong with the bytes themselves.
class EncodeFailure : public Failure
{
public:
    using Failure::Failure;
};

// An enhancement table's file that does not parse.
class TableFailure : public Failure
{
public:
    using Failure::Failure;
};

// A call on a control that could not be carried out.
class ControlFailure : public Failure
{
public:
    using Failure::Failure;
};

} // namespace veltaro
