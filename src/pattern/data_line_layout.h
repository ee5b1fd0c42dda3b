#pragma once
// Places the data lines of the block formats (.wyr, .dat, .gda): each line's points start
// at the next multiple of the format's full line. Only the last data line may be short; a
// short line with more data after it would leave entries of the pattern unread, so it is
// refused with the format's data-line error.

class Console;

class DataLineLayout {
  public:
    // pointsPerLine: 8 (.wyr), 10 (.dat), 5 (.gda); lineError: the format's data-line message.
    DataLineLayout(int pointsPerLine, const char* lineError, Console& console)
        : pointsPerLine_(pointsPerLine), lineError_(lineError), console_(console) {}

    // Index of the first of the next line's `points` points; -1 after the message when the
    // previous line was short or the points would not fit below MAXBUF.
    int place(int points);

    // Prints the format's data-line error.
    void reportLineError() const;

    // Index of the last point placed; -1 before the first line.
    int ilast() const { return ilast_; }

  private:
    int pointsPerLine_;
    const char* lineError_;
    Console& console_;
    int next_ = 0;
    int ilast_ = -1;
    bool lastWasShort_ = false;
};
