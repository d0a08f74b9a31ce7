#include "platform/HelpTopics.h"

namespace {
QList<HelpTopics::Topic> makeTopics()
{
    return {
        {HelpTopics::overview, QStringLiteral("Overview"), QStringLiteral(R"(
<h1>Overview</h1>
<p>Tellarin turns one computer into a time clock for your business. Employees clock in when they
arrive and clock out when they leave by typing their employee ID on the clock screen. Every punch is
stored with its date and time, so you can print clocking reports, see who is in, and correct
mistakes afterwards.</p>
<p>A manager works from the opening window: setting the options, keeping the list of employees and
their weekly working times, editing clock records and printing reports. The manager's part can be
protected with a password.</p>
<ul>
<li><b>Clock screen</b> &ndash; where employees punch in and out, all day long.</li>
<li><b>Options</b> &ndash; messages, time limits, sounds, pictures, tips and more.</li>
<li><b>Reports</b> &ndash; hours worked per employee for any period, with tips and break deduction.</li>
<li><b>Records</b> &ndash; fix a forgotten punch or remove old records.</li>
</ul>
<p>If an employee forgets to clock out, the program can close the shift on its own after a number of
hours you choose. Such records are marked <i>Forced</i> so that you can correct them.</p>)")},
        {HelpTopics::licenseAgreement, QStringLiteral("License agreement"), QStringLiteral(R"(
<h1>License agreement</h1>
<p>You may install and use this program on the computers of your business and make copies for
backup. You may not sell it or pass it on as your own.</p>
<p>The program is provided as it is, without any warranty. We have done our best to make it keep
accurate time records, but you are responsible for checking the records and reports before you
use them for payroll. In no event are the makers liable for any loss arising from the use of the
program.</p>
<p>Your clock records stay on your computer. The program sends nothing anywhere.</p>)")},
        {HelpTopics::equipment, QStringLiteral("What equipment do I need"), QStringLiteral(R"(
<h1>What equipment do I need</h1>
<p>Any ordinary computer that can stay switched on during working hours will do. Everything else is
optional:</p>
<ul>
<li><b>A camera.</b> With a webcam connected, the clock can take a picture at every punch, so you
can see who really clocked in. Pictures are kept in the <i>Pictures</i> folder next to the clock
database and removed after the number of days you choose. You can also show a live picture on the
clock screen.</li>
<li><b>Speakers.</b> A short sound confirms every punch: one tune for clocking in, another for
clocking out, and a buzz when something is wrong. Any speakers or headphones will do; without them
the clock simply stays quiet.</li>
<li><b>A touch screen.</b> Switch on the on-screen keypad in the options and employees can punch
with a finger, without a keyboard. The keypad is large enough to use with gloves on.</li>
</ul>
<p>A printer is only needed if you want your reports on paper.</p>)")},
        {HelpTopics::clockScreen, QStringLiteral("The clock screen"), QStringLiteral(R"(
<h1>The clock screen</h1>
<p>The clock screen shows the time and date in large letters and waits for employees to punch.</p>
<h2>How to punch</h2>
<ol>
<li>Type your employee ID in the box under the prompt. The box shows stars instead of the letters,
so nobody can read your ID over your shoulder.</li>
<li>Press <b>Enter</b>.</li>
<li>A panel confirms your punch: <i>Clocking In</i> when you arrive, <i>Clocking Out</i> when you
leave. The program knows which one it is from your last punch, so you never have to choose.</li>
</ol>
<p>If you punch much earlier or later than your schedule, the panel shows a warning in red. Your
manager may have chosen to refuse such punches; then the panel turns red and nothing is recorded.
If your ID is not known, a message under the box says so: check the ID and try again.</p>
<h2>Your PIN</h2>
<p>Your manager may have the clock ask for a personal PIN after your ID, so that nobody can punch
for you. The first time, choose a PIN of 4 to 8 digits and type it again to confirm it. From then on,
type it after your ID each time you punch. After five wrong PINs your ID is locked for five minutes:
ask your manager, who can unlock it or clear your PIN so that you choose a new one. A PIN left half
typed is cleared after ten seconds; <b>Esc</b> clears it at once.</p>
<h2>The keypad</h2>
<p>On a touch screen, use the on-screen keypad: touch the characters of your ID, then
<b>E N T E R</b>. <b>Clear</b> wipes out what you have typed so you can start again.</p>
<h2>Tips</h2>
<p>If your business records tips, the panel asks for them when you clock out. Type the amount, for
example <tt>12.50</tt>, and press Enter. If you had no tips, just press Enter. Press <b>Exit</b> on
the panel if you did not mean to clock out; then nothing is recorded.</p>
<h2>Cards and badges</h2>
<p>A card, badge or barcode reader that types like a keyboard works at the clock screen with no
setting: hold the card to the reader and the panel confirms the punch, wherever the keyboard's
focus is. The clock tells a reader from a person by its speed: a reader types the whole number and
Enter within a few hundredths of a second. A number read that way is looked up among the badges
(your manager gives each employee one in the employee window, <b>Badge...</b>); a number that is
nobody's badge is taken as an ID typed at the keypad, and one that is neither shows
<i>Card 0004512345 not known</i> with the number read, recording nothing. Typing your ID still
works as always.</p>
<p>Your manager may have the clock refuse a second punch within some seconds of your last one, so
a card read twice does not clock you out again: the panel then turns red and shows when you last
clocked in or out, and nothing is recorded. The panel can also show the hours you have worked this
week, with the overtime among them (overtime and double time together).</p>
<h2>The in and out lists</h2>
<p>When they are switched on, two lists beside the ID box show who is in and who is out. Click the
heading above them to bring them up to date.</p>
<h2>Leaving the clock screen</h2>
<p>Click <b>Exit</b> at the bottom of the screen. If a password is set, a box asks for it: type the
password and press Enter. Leaving the box empty and pressing Enter takes you back to the clock.</p>)")},
        {HelpTopics::employeeEditor, QStringLiteral("Employees and their working times"), QStringLiteral(R"(
<h1>Employees and their working times</h1>
<p>Type the employee's name, the ID the employee will type at the clock, and the pay rate, choose
the department, and mark the employee <i>Active</i>. Only active employees can clock; an inactive
employee keeps the records and can be made active again at any time.</p>
<p>No two employees may have the same ID, whatever the letter case: <tt>ab12</tt> and <tt>AB12</tt>
are the same ID. A comma in a name or an ID is saved as a blank.</p>
<h2>Drawing the week</h2>
<p>Each row of the grid is one day, from midnight on the left to midnight on the right. Press the
mouse where the work starts and drag to where it ends: a green bar shows the period. Times snap to
the nearest quarter of an hour.</p>
<ul>
<li>Drag the middle of a bar to move it; drag either end to make it longer or shorter.</li>
<li>Bars that overlap or touch become one period. A day holds at most three periods.</li>
<li>A bar made shorter than a quarter of an hour disappears.</li>
<li>Right-click a day to cut, copy or paste the whole day; a day must be empty to paste into it.</li>
<li>Click a day and press <b>Delete</b> to empty it.</li>
</ul>
<h2>Typing the times</h2>
<p>Beside each day you can type the periods instead, for example
<tt>08:00-12:00, 13:00-17:00</tt>, and press Enter. Use quarter hours; <tt>24:00</tt> ends a day at
midnight.</p>
<p>The clock uses each day's first start and last stop to tell an early or late punch.</p>
<h2>Saving</h2>
<p><b>Save</b> stores the employee and closes the window; the clock knows the change at once.
<b>Previous</b> and <b>Next</b> go to the neighbouring employee, and <b>New employee</b> starts an
empty one. If you made changes, you are asked whether to save them first.</p>
<h2>Badges</h2>
<p><b>Badge...</b> gives the employee a card or barcode for the clock: read the card with the
reader while the box has the keyboard, or type the number printed on the card (leading zeros
count), and press <b>Save</b>. A new card replaces the employee's old one; <b>Remove</b> takes it
away. A card belongs to one employee only. If your reader sends hexadecimal numbers that differ
from those printed on the cards, switch on the matching option on the Kiosk page of the options.
A clock station whose server is away knows the cards as it last read them from the server (it reads
them every few minutes), so a card given or taken away meanwhile counts there once the server is
back.</p>
<p>To bring in many employees at once, use <i>Import employees</i> in the Employees menu with a
spreadsheet saved as CSV, with the columns Name, ID, Department, Pay, Active (yes or no) and one
column per weekday holding that day's periods.</p>)")},
        {HelpTopics::exceptions, QStringLiteral("Exceptions"), QStringLiteral(R"(
<h1>Exceptions</h1>
<p><i>Exceptions</i> in the Reports menu lists the punches that need your decision, for the period
you choose. The opening window tells how many this week holds; click that line to open the list.</p>
<ul>
<li><b>forced</b> &ndash; the program clocked the employee out after a forgotten clock-out.</li>
<li><b>no-out</b> &ndash; a clock-in with nothing after it by the end of its workday.</li>
<li><b>no-in</b> &ndash; a workday that starts with a clock-out.</li>
<li><b>double-in</b>, <b>double-out</b> &ndash; two clock-ins or two clock-outs in a row.</li>
<li><b>long-shift</b> &ndash; a shift longer than the limit set in the options (12:00 unless
changed).</li>
<li><b>quick-repeat</b> &ndash; a punch within seconds of the one before (120 unless changed): a
double scan or a second press by mistake.</li>
<li><b>late-in</b>, <b>early-out</b> &ndash; punches outside the schedule's margins.</li>
<li><b>out-of-step</b> &ndash; a punch a station kept while the server was away, which left the
punches out of order once sent.</li>
</ul>
<h2>Night shifts</h2>
<p>A workday runs from the workday start in the Pay options (midnight unless changed). A shift from
22:00 to 06:00 crosses it, yet it is no forgotten clock-out: a clock-out in the next workday that
comes no later than the forced clock-out's limit (<i>Force auto clock OUTs</i> after so many hours,
12 unless changed) closes the clock-in before it. Such a shift shows neither as <b>no-out</b> nor as
<b>no-in</b>, and a clock-in with nothing after it is listed only once that limit has passed too.</p>
<h2>Fixing or letting stand</h2>
<p><i>Open in record editor</i> shows the employee's records with the line's record selected:
correct or delete it there. <i>Mark resolved</i> lets an exception stand, with a note if you type
one; it is kept in the edit history with your name. A resolved exception stays resolved until
someone changes the records it was judged on (the record or the one next to it); if it still
applies then, it is listed again.</p>
<h2>Where a forced clock-out is put</h2>
<p>In the General options you choose when the forced clock-out puts its OUT: one minute after the
clock-in (the employee is paid one minute, and you fix the day by hand), at the employee's scheduled
stop that day, or when the forced clock-out's limit ran out. A scheduled stop that is not after the
clock-in, lies after the employee's next punch or is still ahead is not used: the OUT then comes one
minute after the clock-in.</p>)")},
    };
}
} // namespace

const QList<HelpTopics::Topic>& HelpTopics::all()
{
    static const QList<Topic> topics = makeTopics();
    return topics;
}

std::optional<HelpTopics::Topic> HelpTopics::find(int number)
{
    for (const Topic& topic : all()) {
        if (topic.number == number)
            return topic;
    }
    return std::nullopt;
}
