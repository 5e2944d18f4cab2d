#pragma once

// State bits of the persistent streams, as iostreams have them: (state & 6) != 0 is failure.
class GStreamState {
 public:
  enum Bits {
    goodbit = 0,
    eofbit = 1,   // the input ended (always set together with failbit)
    failbit = 2,  // a value could not be read or written as asked (short read, bad data)
    badbit = 4,   // the system refused an operation (open, read, write, close)
  };
  static constexpr int failureMask = failbit | badbit;

  int rdstate() const { return state_; }
  bool good() const { return state_ == goodbit; }
  bool fail() const { return (state_ & failureMask) != 0; }
  bool bad() const { return (state_ & badbit) != 0; }
  bool eof() const { return (state_ & eofbit) != 0; }

 protected:
  int state_ = goodbit;
};
