#pragma once

namespace veltaro {

// Shows the busy cursor over the whole application for as long as it lives.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace veltaro
