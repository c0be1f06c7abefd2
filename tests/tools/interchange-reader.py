#!/usr/bin/python3
# Prints a vCard or iCalendar file as kl840t list prints the section: the
# interchange tool test's independent reader, which must find the same names,
# numbers, dates, times and texts as kl840t.
# Usage: interchange-reader.py vcf|ics FILE
import sys
def esc(text): return text.replace('\\', '\\\\').replace('\t', '\\t').replace('\n', '\\n')
data = open(sys.argv[2], 'rb').read()
if sys.argv[1] == 'vcf':
    import vobject
    for card in vobject.readComponents(data.decode('utf-8')):
        get = lambda name: card.contents[name][0].value if name in card.contents else ''
        locked = 'LOCKED' in (card.contents['categories'][0].value if 'categories' in card.contents else [])
        print('L' if locked else '-', esc(get('fn')), esc(get('tel')), esc(get('note')), sep='\t')
else:
    import icalendar
    for event in icalendar.Calendar.from_ical(data).walk('VEVENT'):
        start = event['DTSTART'].dt
        end = event['DTEND'].dt if 'DTEND' in event else None
        times = '00:00-00:00' if not hasattr(start, 'hour') else '%s-%s' % (
            start.strftime('%H:%M'), end.strftime('%H:%M') if end else '00:00')
        print('L' if event.get('CLASS') == 'PRIVATE' else '-', start.strftime('%Y-%m-%d'), times,
              esc(str(event.get('SUMMARY', ''))), sep='\t')
