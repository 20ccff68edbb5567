# Runs pelox-tag through save, compare, apply and produce on the example tag, and through bad
# input, checking each exit status, what it says and what the tag holds afterwards.
# -DTOOL=<pelox-tag> [-DEMULATOR=<runner>] [-DDLL=<stand-in CR95HF.dll>] -DEXAMPLES=<folder> -DWORK=<folder>
# -DVERSION=<the project's version>
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(tool ${TOOL} NAME)
file(COPY ${TOOL} ${EXAMPLES}/Pelox.ini ${EXAMPLES}/example.set DESTINATION ${WORK})
if(DLL)
  file(COPY ${DLL} DESTINATION ${WORK})
endif()

set(here ${WORK})  # where step runs the tool
function(fresh_tag)
  file(COPY ${EXAMPLES}/cr95hf-sim.txt DESTINATION ${WORK})
endfunction()

# step(<status> <pattern> <arguments...>): the pattern is matched against standard output and
# standard error together.
function(step status pattern)
  execute_process(COMMAND ${EMULATOR} ${here}/${tool} ${ARGN} WORKING_DIRECTORY ${here} TIMEOUT 60
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result STREQUAL status)
    message(FATAL_ERROR "pelox-tag ${ARGN}: exit status ${result}, expected ${status}\n${out}${err}")
  endif()
  if(NOT "${out}${err}" MATCHES "${pattern}")
    message(FATAL_ERROR "pelox-tag ${ARGN}: output does not match \"${pattern}\":\n${out}${err}")
  endif()
endfunction()

function(expect_file path pattern)
  file(READ ${WORK}/${path} text)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${path} does not match \"${pattern}\":\n${text}")
  endif()
endfunction()

# Every command that opens the reader says first that it is the simulator.
set(notice "reader: the Pelox simulator \\(Pelox simulator ${VERSION}\\), not a real reader\n")
fresh_tag()
step(0 "page 1 row 6 \"Mode\": 1\n.*\n${notice}$" read)
step(0 "E00208115C3A77D1: ok: read 26\nstored as not-set [^\n]*: 5: \"Vmin\"" save first.set)
expect_file(first.set "^# Pelox parameter set\ntool [0-9.]+\nuid E00208115C3A77D1\n.*\n\"Mode\" 36 int8 1\n.*\nend 26 entries\n$")
step(0 "E00208115C3A77D1: ok: same 21, skipped 5" compare first.set)
# A save replaces an existing set only when told to, and never a file that is no set.
file(READ ${WORK}/Pelox.ini config)
step(2 "first.set: error: the file exists: give --force to replace it" save first.set)
step(0 "ok: read 26" save first.set --force)
step(2 "Pelox.ini: error: not a parameter set: never replaced by a save" save Pelox.ini --force)
step(2 "error: a folder" compare ${WORK})
file(READ ${WORK}/Pelox.ini after)
if(NOT config STREQUAL after)
  message(FATAL_ERROR "a save replaced Pelox.ini")
endif()

# Change the tag with a set of its own, see the difference, write the first set back.
file(READ ${WORK}/first.set text)
string(REPLACE "\"Mode\" 36 int8 1\n" "\"Mode\" 36 int8 2\n" changed "${text}")
string(REPLACE "\"Tmax\" 48 int16 850\n" "\"Tmax\" 48 int16 900\n" changed "${changed}")
file(WRITE ${WORK}/changed.set "${changed}")
step(0 "\"Tmax\" \\(48, int16\\): written 900, was 850" apply changed.set)
step(1 "\"Mode\" \\(36, int8\\): different: set 1, tag 2" compare first.set)
step(0 "E00208115C3A77D1: ok: written 2, same 12, skipped 12" apply first.set)
step(0 "E00208115C3A77D1: ok: same 21, skipped 5" compare first.set)
step(0 "E00208115C3A77D1: ok: written 17, same 2, skipped 7" apply example.set)
step(1 "different" compare first.set)

# Bad input: a message with the line, and the tag untouched.
string(REPLACE "\"Mode\" 36 int8 1\n" "\"Mode\" 36 int8 one\n" bad "${text}")
file(WRITE ${WORK}/bad.set "${bad}")
file(READ ${WORK}/cr95hf-sim.txt before)
step(2 "bad.set:11: error: value \"one\": " apply bad.set)
step(2 "missing.set: error: cannot read the file" compare missing.set)
string(FIND "${text}" "\"Cust\" 288 int32 4071" cut)
string(SUBSTRING "${text}" 0 ${cut} cuttext)
file(WRITE ${WORK}/cut.set "${cuttext}\"Cust\" 288 int32 407")
step(2 "cut.set:31: error: the file stops without its end line" apply cut.set)
file(READ ${WORK}/cr95hf-sim.txt after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "a refused set changed the tag")
endif()
step(2 "usage: pelox-tag" save)
step(2 "usage: pelox-tag" produce example.set)
step(2 "usage: pelox-tag" produce example.set --log line.log --count 0)
step(0 "usage: pelox-tag" --help)
step(0 "usage: pelox-tag" /?)
step(0 "^pelox-tag ${VERSION}\n$" --version)
step(2 "nowhere.ini: error: cannot read the configuration" --config nowhere.ini read)
# A configuration that is a folder is as missing; a path beyond any Windows path is named so.
file(MAKE_DIRECTORY ${WORK}/folder.ini)
step(2 "^folder.ini: error: cannot read the configuration\n$" --config folder.ini read)
string(REPEAT "x" 800 name)
step(2 "^pelox-tag: error: --config: too long a path \\(at most 780 bytes\\)\n$" --config ${name} read)

# Another configuration: Mode moved. Apply refuses that entry; production refuses to start.
file(READ ${WORK}/Pelox.ini config)
string(REPLACE "Name=\"Mode\" Description=\"Mode 0=off 1=auto 2=manual\" Address=36"
               "Name=\"Mode\" Description=\"Mode\" Address=37" moved "${config}")
file(WRITE ${WORK}/moved.ini "${moved}")
step(1 "\"Mode\" \\(37, int8\\): skipped: address 36 in the set, 37 in the configuration.*: incomplete: " --config moved.ini apply first.set)
step(2 "refused: .*the set cannot be applied whole \\(see the skipped entries\\): no tag written" --config moved.ini produce first.set --log line.log)
# A set that would write nothing is refused before the log is made; numbered, it writes the numbers.
string(REGEX REPLACE "(int8|int16|int32|time|swver) -?[0-9]+" "\\1 not-set" blank "${text}")
file(WRITE ${WORK}/blank.set "${blank}")
step(2 "refused: skipped 26\n${notice}blank.set: error: the set writes nothing \\(its entries are not-set" produce blank.set --log blank.log)
step(2 "blank.set: error: the set compares nothing [^\n]*: no tag read\n$" verify blank.set --log blank.log)
if(EXISTS ${WORK}/blank.log)
  message(FATAL_ERROR "a set that writes nothing made its log")
endif()
step(0 "device 1 of 1, Addr=20: E00208115C3A77D1: ok: written 1, skipped 25" produce blank.set --log blank.log --count 1 --number Addr=20)
# Skipped lines are named on standard error, the status as before.
string(REGEX REPLACE "Address=(48|52) " "Address=\\1+1 " skipped "${config}")
file(WRITE ${WORK}/skipped.ini "${skipped}")
step(0 "row 9 \"Vmin\": .*\nskipped.ini: 2 lines skipped, the first on line 14: pelox-check tells why\n$" --config skipped.ini read)
# A name defined twice is not numbered: which of the two is meant is not known.
file(WRITE ${WORK}/twice.ini "${config}Name=\"Tmax\" Description=\"again\" Address=300 Type=int16 Changeable\n")
step(2 "--number Tmax=1: the configuration defines this name twice \\(parameters 9 and 28\\)" --config twice.ini produce example.set --log line.log --number Tmax=1)

# Production: a log of another format refused and left as it was; a CSV log whose last row a
# stopped run left without its line end gets one; numbers per device, continued from the log;
# the set's CRC and the tool's version in every row.
fresh_tag()
file(WRITE ${WORK}/old.log "2026-12-08 23:13:20 UTC E002000000000001 ok\n")
step(2 "^${notice}old.log was written in another format: start a new log\n$" produce example.set --log old.log)
expect_file(old.log "^2026-12-08 23:13:20 UTC E002000000000001 ok\n$")
# Logs begun by 1.2.0 lack the reader column and go on without it; a new log names the reader.
set(header "time_utc,station,command,set_file,set_crc,tool_version,uid,result,number,parameters\n")
set(reader "Pelox simulator ${VERSION} \\(the Pelox simulator, not a real reader\\)")
set(row "[0-9]+-[0-9]+-[0-9]+ [0-9:]+,[^,]+,produce,example.set,[0-9A-F]+,${VERSION},E00208115C3A77D1")
step(0 "device 1 of 1: E00208115C3A77D1: ok: " produce example.set --log new.log --count 1)
expect_file(new.log "^time_utc,[^\n]*,parameters,reader\n${row},writing,,,\"${reader}\"\n${row},ok,,,\"${reader}\"\n$")
# A last row cut off (here inside its quotes) is cut back, and the console shows what went.
fresh_tag()
file(WRITE ${WORK}/line.log "${header}2026-12-08 23:13:20,pc,produce,example.set,00000000,1.0.0,E002000000000001,failed,Addr=7,\"\"\"Vm")
step(0 "line.log: the last row was cut off \\(a run ended while writing it\\) and is dropped: \"2026-12-08 23:13:20,pc,[^\n]*\\.\\.\\.\n.*device 1 of 1, Addr=100: E00208115C3A77D1: ok: written 17, same 2, skipped 7\ndevices 1: ok 1, failed 0, skipped as done already 0; 0 min [0-9] s\n"
     produce example.set --log line.log --count 1 --number Addr=100,5)
expect_file(line.log "^${header}${row},writing,Addr=100,\n${row},ok,Addr=100,\n$")
# Any other row that cannot be read stops the run before the first device, named by line and field.
file(WRITE ${WORK}/bad.log "${header}2026-12-08 23:13:20,pc,Produce,example.set,00000000,1.0.0,E002000000000001,ok,Addr=7,\n")
step(2 "^${notice}bad.log:2: error: field 3 \\(command\\): neither produce nor verify: the row cannot be read" produce example.set --log bad.log --count 1 --number Addr=continue)
file(WRITE ${WORK}/line.log "${header}")
step(2 "line.log: error: no row records a number of \"Addr\"" produce example.set --log line.log --number Addr=continue)
step(0 "device 1 of 1, Addr=100: E00208115C3A77D1: ok: same 19, skipped 7" produce example.set --log line.log --count 1 --number Addr=100,5)
# Written again (--again), a device keeps the number the log gave it, whatever continue would give.
step(0 "device 1 of 1, Addr=100: E00208115C3A77D1: ok: same 19, skipped 7" produce example.set --log line.log --count 1 --number Addr=continue,5 --again)
expect_file(line.log "^${header}${row},writing,Addr=100,\n${row},ok,Addr=100,\n${row},writing,Addr=100,\n${row},ok,Addr=100,\n$")
# The set is known by its entries: a comment and CR LF line ends make no other set, and a row of
# version 1.2.0 (the CRC-32 of the file's bytes, without its leading zeros) names the same set.
file(READ ${EXAMPLES}/example.set example)
string(REPLACE "set\n" "set\n# saved again\n" crlf "${example}")
string(REPLACE "\n" "\r\n" crlf "${crlf}")
file(WRITE ${WORK}/crlf.set "${crlf}")
file(READ ${EXAMPLES}/example.set hex HEX)
string(LENGTH "${hex}" n)
math(EXPR n "${n} - 2")
set(crc 4294967295)
foreach(i RANGE 0 ${n} 2)
  string(SUBSTRING "${hex}" ${i} 2 byte)
  math(EXPR crc "${crc} ^ 0x${byte}")
  foreach(bit RANGE 7)
    math(EXPR crc "(${crc} >> 1) ^ (0xEDB88320 & -(${crc} & 1))")
  endforeach()
endforeach()
math(EXPR crc "${crc} ^ 0xFFFFFFFF" OUTPUT_FORMAT HEXADECIMAL)
string(REGEX REPLACE "^0x0*" "" crc "${crc}")
file(WRITE ${WORK}/old.csv "${header}2026-12-08 23:13:20,pc,produce,example.set,${crc},1.2.0,E00208115C3A77D1,ok,Addr=7,\n")
# The tag the log has done, without --again: named with its row, not written, and the run waits
# for it to leave (natively only: the run is ended by the time limit, which Wine would outlive).
if(NOT EMULATOR)
  foreach(run "example.set;line.log;5" "crlf.set;line.log;5" "example.set;old.csv;2")
    list(GET run 0 set)
    list(GET run 1 log)
    list(GET run 2 n)
    file(READ ${WORK}/cr95hf-sim.txt before)
    execute_process(COMMAND ${WORK}/${tool} produce ${set} --log ${log} --count 1 --number Addr=continue
      WORKING_DIRECTORY ${WORK} TIMEOUT 2 RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    file(READ ${WORK}/cr95hf-sim.txt after)
    if(NOT out MATCHES "^E00208115C3A77D1: done already on [0-9: -]+ UTC \\(${log}, row ${n}\\): not written again, not counted \\(--again writes it\\)\ntake the tag away\n$"
       OR NOT before STREQUAL after)
      message(FATAL_ERROR "a tag the log has done (${set}, ${log}: ${result}):\n${out}${err}")
    endif()
  endforeach()
  # Waited for to leave through a second without the reader, said once.
  file(READ ${WORK}/cr95hf-sim.txt before)
  execute_process(COMMAND ${WORK}/${tool} produce example.set --log line.log --count 1 --number Addr=continue
    COMMAND sh -c "sleep 1; echo reader_absent 1 >> cr95hf-sim.txt; sleep 1; echo reader_absent 0 >> cr95hf-sim.txt; cat"
    WORKING_DIRECTORY ${WORK} TIMEOUT 3 RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  file(READ ${WORK}/cr95hf-sim.txt after)
  string(REPLACE "reader_absent 1\nreader_absent 0\n" "" after "${after}")
  if(NOT out MATCHES "^E00208115C3A77D1: done already on [0-9: -]+ UTC \\(line.log, row 5\\): not written again, not counted \\(--again writes it\\)\ntake the tag away\nthe reader could not be opened: waiting for it, then for the tag to be taken away\ntake the tag away\n$"
     OR NOT err MATCHES "^${notice}pelox-tag: the reader could not be opened: [^\n]+\n$" OR NOT before STREQUAL after)
    message(FATAL_ERROR "a tag the log has done, the reader lost meanwhile (${result}):\n${out}${err}")
  endif()
endif()
step(0 "page 1 row 7 \"Addr\": 100\n" read)
# The numbers refused before any tag: nothing written, nothing logged.
file(READ ${WORK}/cr95hf-sim.txt before)
foreach(bad "Addr=x" "Addr=1,0" "Addr=1.5" "SW=1" "Nothing=1" "Addr=128" "Addr=126,1")
  step(2 "error: --number" produce example.set --log line.log --count 3 --number ${bad})
endforeach()
file(READ ${WORK}/cr95hf-sim.txt after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "a refused number changed the tag")
endif()
expect_file(line.log "^${header}${row},writing,Addr=100,\n${row},ok,Addr=100,\n${row},writing,Addr=100,\n${row},ok,Addr=100,\n$")

# A verifying station: each device's number as the production log gives it for the UID; without
# that log the number is left out, and a UID the log lacks is not the same. Nothing is written.
step(0 "device 1 of 1, Addr=100: E00208115C3A77D1: ok: same 19, skipped 7\ndevices 1: same 1, different 0;" verify example.set --log check.csv --count 1 --number Addr --production-log line.log)
step(0 "device 1 of 1: E00208115C3A77D1: ok: same 18, skipped 8\ndevices 1: same 1, different 0; 0 min 0 s; the number left out of the comparison \\(no production log: --production-log LOG\\)\n" verify example.set --log check.csv --count 1 --number Addr=7)
file(WRITE ${WORK}/other.csv "${header}2026-12-08 23:13:21,pc,produce,example.set,1,1.2.0,E002000000000009,ok,Addr=5,\n")
step(1 "E00208115C3A77D1: not in the production log other.csv: its number is not known, the device counts as different\n.*devices 1: same 0, different 1 \\(E00208115C3A77D1\\); 0 min 0 s; 1 not in the production log\n" verify example.set --log check.csv --count 1 --number Addr --production-log other.csv)
expect_file(check.csv ",verify,[^\n]*,same,Addr=100,,\"${reader}\"\n[^\n]*,verify,[^\n]*,same,,,\"${reader}\"\n[^\n]*,verify,[^\n]*,different,,,\"${reader}\"\n$")
# A dry run reads and says what an apply would do; the tag stays as it was.
file(READ ${WORK}/cr95hf-sim.txt before)
step(0 "\"SW\" \\(0, swver\\): skipped: a software version.*\"Addr\" \\(40, int8\\): write 17, was 100\n.*ok: same 18, write 1, skipped 7\ndry run: an apply would take 31 exchanges" apply example.set --dry-run)
file(READ ${WORK}/cr95hf-sim.txt after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "a dry run changed the tag")
endif()

# A run killed while writing left the device's reservation as its latest row: placed again (the
# row before says ok, the latest decides), it is finished under that number, not the next.
fresh_tag()
set(r "2026-12-08 23:13:20,pc,produce,example.set,1,1.2.0,E00208115C3A77D1")
file(WRITE ${WORK}/killed.csv "${header}${r},ok,Addr=40,\n${r},writing,Addr=50,\n2026-12-08 23:13:21,pc,produce,example.set,1,1.2.0,E002000000000009,writing,Addr=60,\n")
step(0 "device 1 of 1, Addr=50: E00208115C3A77D1: ok: written" produce example.set --log killed.csv --count 1 --number Addr=continue)

# A log a spreadsheet saved (a byte order mark, ';', CR LF, a column of its own first, every field
# quoted) goes on: new rows in its way, its column left empty. --semicolons starts a log with ';'.
string(ASCII 239 187 191 bom)
file(WRITE ${WORK}/saved.csv "${bom}\"note\";\"time_utc\";\"station\";\"command\";\"set_file\";\"set_crc\";\"tool_version\";\"uid\";\"result\";\"number\";\"parameters\"\r\n\"x\";\"2026-12-08 23:13:20\";\"pc\";\"produce\";\"a.set\";\"829840\";\"1.2.0\";\"E00208115C3A77D1\";\"failed\";\"Addr=61\";\"\"\r\n")
step(0 "device 1 of 1, Addr=61: E00208115C3A77D1: ok: " produce example.set --log saved.csv --count 1 --number Addr=continue)
expect_file(saved.csv "\n;[0-9: -]+;[^;]+;produce;example.set;[0-9A-F]+;${VERSION};E00208115C3A77D1;ok;Addr=61;\n$")
file(READ ${WORK}/saved.csv hex HEX)  # file(READ) as text drops the carriage returns
if(NOT hex MATCHES "3b0d0a3b[0-9a-f]*3b0d0a$")
  message(FATAL_ERROR "saved.csv: the new rows do not end in CR LF: ${hex}")
endif()
step(0 "device 1 of 1: E00208115C3A77D1: ok: " produce example.set --log semicolons.csv --count 1 --semicolons)
expect_file(semicolons.csv "^time_utc;station;command;set_file;set_crc;tool_version;uid;result;number;parameters;reader\n[^\n]*;writing;;;${reader}\n[^\n]*;ok;;;${reader}\n$")

# A log another program holds locked: the station waits, says so once, and goes on after.
if(NOT EMULATOR)
  find_program(python python3)
  if(python)
    execute_process(COMMAND ${python} -c "import fcntl, subprocess, sys, time
f = open(sys.argv[1], 'a'); fcntl.lockf(f, fcntl.LOCK_EX)
p = subprocess.Popen(sys.argv[2:], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
time.sleep(1.6); fcntl.lockf(f, fcntl.LOCK_UN); sys.stdout.write(p.communicate()[0].decode())"
      ${WORK}/killed.csv ${WORK}/${tool} produce example.set --log killed.csv --count 1 --again
      WORKING_DIRECTORY ${WORK} TIMEOUT 30 OUTPUT_VARIABLE out)
    if(NOT out MATCHES "^${notice}killed.csv is open in another program: close it there; waiting\ndevice 1 of 1: ")
      message(FATAL_ERROR "a log held by another program:\n${out}")
    endif()
  endif()
endif()

# Three stations on one log, each with a line of four devices (the simulator's conveyor), all
# continuing the numbers: they take turns at the log's lock, so no number is given twice.
file(WRITE ${WORK}/shared.csv "${header}${r},ok,Addr=20,\n")
file(READ ${EXAMPLES}/cr95hf-sim.txt sim)
# Each station runs from a script of its own that keeps its output in files: in one pipeline of
# processes, a station's output would be the next one's input.
file(WRITE ${WORK}/station.cmake "execute_process(COMMAND \${RUN} WORKING_DIRECTORY \${DIR} TIMEOUT 100
  RESULT_VARIABLE result OUTPUT_FILE \${DIR}/out.txt ERROR_FILE \${DIR}/err.txt)
file(WRITE \${DIR}/status.txt \"\${result}\")\n")
set(stations "")
foreach(s 1 2 3)
  set(dir ${WORK}/station${s})
  file(MAKE_DIRECTORY ${dir})
  file(COPY ${TOOL} ${DLL} ${EXAMPLES}/Pelox.ini ${EXAMPLES}/example.set DESTINATION ${dir})
  string(REGEX REPLACE "\nuid [0-9A-F]+" "\nuid E0040000000${s}0000" line "${sim}")
  file(WRITE ${dir}/cr95hf-sim.txt "${line}conveyor 3\n")
  set(run ${EMULATOR} ${dir}/${tool} produce example.set --log ${WORK}/shared.csv --count 4 --number Addr=continue)
  string(REPLACE ";" "\\;" run "${run}")
  list(APPEND stations COMMAND ${CMAKE_COMMAND} "-DRUN=${run}" -DDIR=${dir} -P ${WORK}/station.cmake)
endforeach()
execute_process(${stations} TIMEOUT 120)
set(results "")
set(out "")
foreach(s 1 2 3)
  file(READ ${WORK}/station${s}/status.txt status)
  file(READ ${WORK}/station${s}/out.txt said)
  list(APPEND results ${status})
  string(APPEND out "${said}")
endforeach()
file(READ ${WORK}/shared.csv shared)
string(REGEX MATCHALL ",ok,Addr=[0-9]+," done "${shared}")
list(SORT done)
list(REMOVE_DUPLICATES done)
list(LENGTH done numbers)
string(REGEX MATCHALL ",writing,Addr=" reserved "${shared}")
list(LENGTH reserved reservations)
if(NOT results STREQUAL "0;0;0" OR NOT numbers EQUAL 13 OR NOT reservations EQUAL 12 OR NOT shared MATCHES ",ok,Addr=32,")
  message(FATAL_ERROR "three stations on one log (${results}): ${numbers} numbers\n${shared}${out}")
endif()

# Mode holds 0 to 2 (Min=0 Max=2): a 5 is not written, its set not produced, no number beyond 2
# given; numbered, the set's own 5 never reaches a device, so the set is not refused for it.
string(REPLACE "\"Mode\" 36 int8 1\n" "\"Mode\" 36 int8 5\n" five "${text}")
file(WRITE ${WORK}/five.set "${five}")
step(1 "\"Mode\" \\(36, int8\\): skipped: the set's value is outside the values 0 to 2 of the configuration \\(Min=, Max=\\)\n.*: incomplete: " apply five.set)
step(2 "refused: .*the set cannot be applied whole" produce five.set --log five.log)
step(2 "--number Mode=3: FIRST is outside the values 0 to 2 of the configuration \\(Min=, Max=\\)" produce five.set --log five.log --number Mode=3)
step(2 "--number: \"Mode\" would reach 3, beyond 2, the largest of the configuration \\(Max=\\)" produce five.set --log five.log --count 3 --number Mode=1)
step(0 "device 1 of 1, Mode=0: E00208115C3A77D1: ok: written " produce five.set --log five.log --count 1 --number Mode=0)

# No tag, or a block that cannot be read: nothing saved, status 3; without a tag one line says so.
fresh_tag()
file(APPEND ${WORK}/cr95hf-sim.txt "tag_absent 1\n")
step(3 "pelox-tag: no tag answered: No tag answers: place the tag on the reader" save absent.set)
step(3 "^${notice}pelox-tag: no tag answered: No tag answers: place the tag on the reader\n$" compare first.set)
step(3 "^${notice}pelox-tag: no tag answered: No tag answers: place the tag on the reader\n$" apply first.set)
if(EXISTS ${WORK}/absent.set)
  message(FATAL_ERROR "a set was saved without a tag")
endif()
fresh_tag()
file(APPEND ${WORK}/cr95hf-sim.txt "fail_call read_block 3\n")
step(3 "page 1 row 2 \"HW\": No answer" read)
# A tag file the simulator cannot read is its reader's fault, named with the file, never a factory tag.
file(REMOVE ${WORK}/cr95hf-sim.txt)
file(MAKE_DIRECTORY ${WORK}/cr95hf-sim.txt)
step(3 "^${notice}pelox-tag: the reader could not be opened: the simulated tag file cannot be read: [^\n]*cr95hf-sim.txt\n$" read)
file(REMOVE_RECURSE ${WORK}/cr95hf-sim.txt)

# In a folder whose path Windows allows but that is long in UTF-8 (123 Cyrillic letters, some 310
# bytes), pelox-tag finds its configuration and its reader (under Wine the stand-in's own tag);
# natively, beside a path longer than any Windows path, it says that the path is too long.
string(REPEAT "ж" 123 cyrillic)
set(here ${WORK}/${cyrillic}/ppppppppppppppp)
file(COPY ${TOOL} ${DLL} ${EXAMPLES}/Pelox.ini ${EXAMPLES}/cr95hf-sim.txt DESTINATION ${here})
step(0 "^tag [0-9A-F]+\npage 1 row 1 \"SW\": " read)
if(NOT EMULATOR)
  set(here ${here}/${cyrillic}/${cyrillic}/${cyrillic})
  file(COPY ${TOOL} ${EXAMPLES}/Pelox.ini DESTINATION ${here})
  step(2 "^pelox-tag: error: the folder of pelox-tag is too long a path\n$" read)
endif()
