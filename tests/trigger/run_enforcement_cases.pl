#!/usr/bin/perl
# Plays enforcement-cases.tsv and the extra cases below against the security trigger script,
# with fake_cleartool.pl answering as "cleartool". With --emulator, the table's rows run through
# cleartool-sim with the script installed as the VOB's triggers; with --red-team as well, attacks
# on that chain run instead, after each of which eve's checkout of main.c (restricted to bob)
# must still be refused, the setting unchanged and both trigger types in place.
use strict;
use warnings;
use File::Basename qw(dirname);
use File::Copy qw(copy);
use File::Path qw(make_path);
use File::Spec;
use File::Temp qw(tempdir);
use Getopt::Long;

my $here = File::Spec->rel2abs(dirname(__FILE__));
my ($script, $casesFile, $emulator, $redTeam) = ("$here/../../trigger/_qx_security_trigger.pl", "$here/enforcement-cases.tsv");
GetOptions('script=s' => \$script, 'cases=s' => \$casesFile, 'emulator=s' => \$emulator, 'red-team' => \$redTeam)
    or die "bad arguments\n";
($script, $emulator) = map { $_ && File::Spec->rel2abs($_) } ($script, $emulator);
my @COLUMNS = qw(case user op target elem root admins override expect
                 privoper mtype typename kindroot vobowner other env reply scope style);
my ($ELEMENT, $ROOT, $VOB, $MAIN) = ('m:\zanview\proj\src\a.c', 'm:\zanview\proj\.', '\proj', 'm:\bob_dev\proj\src\main.c');
my %KIND = ('attribute type' => 'at', 'branch type' => 'br', 'element type' => 'el',
            'hyperlink type' => 'hl', 'label type' => 'lb', 'trigger type' => 'tr');
my $OUTPUT = tempdir(CLEANUP => 1) . '/output.txt';
# Modules that let every operation through the moment they are loaded, and a cleartool that
# answers "no settings" about every element.
my $evil = tempdir(CLEANUP => 1);
my $liar = "$evil/bin/cleartool";
writeFile("$evil/$_.pm", "package $_;\nexit 0;\n1;\n") for qw(strict warnings Fcntl);
make_path("$evil/bin");
writeFile($liar, "#!/bin/sh\nprintf 'version\\n%s\\n/main/0\\n' \"\$4\" | sed 's/\@\@.*//'\n");
chmod(0755, $liar);

my @cases = $redTeam ? redTeamAttacks() : $emulator ? grep { playable($_) } readTable() : (readTable(), extraCases());
my $failed = 0;
foreach my $case (@cases) {
    my @problems = $redTeam ? runAttack($case) : $emulator ? checkEmulated($case, runEmulated($case)) : check($case, runScript($case));
    next unless @problems;
    $failed++;
    print "FAIL: $case->{name}\n", map { "    $_\n" } @problems;
}
print @cases - $failed, " passed, $failed failed\n";
exit($failed ? 1 : 0);

sub readTable {
    open(my $in, '<', $casesFile) or die "cannot read $casesFile: $!\n";
    my @rows;
    while (my $line = <$in>) {
        $line =~ s/\r?\n$//;
        next if $line =~ /^(#|\s*$|case\t)/;
        my @f = split(/\t/, $line, -1);
        die "$casesFile line $.: expected " . @COLUMNS . ' fields, found ' . @f . "\n" unless @f == @COLUMNS;
        my %row = map { $COLUMNS[$_] => $f[$_] } 0 .. $#COLUMNS;
        die "$casesFile line $.: expect is allow or deny\n" unless $row{expect} =~ /^(allow|deny)$/;
        for (qw(elem root override privoper mtype typename kindroot vobowner other env reply style)) { $row{$_} = undef if $row{$_} eq '-' }
        my %env = map { split(/=/, s/\@EVIL\@/$evil/gr =~ s/\@LIAR\@/$liar/gr, 2) } split(/;/, $row{env} // '');
        my %case = (%row, name => "table: $row{case}", fromTable => 1, admins => ($row{admins} eq '' ? undef : $row{admins}),
                    env => \%env, fake => { REPLY => $row{reply} });
        push @rows, \%case;
        # A row written for no particular site holds on a UNIX-style one too.
        push @rows, { %case, name => "table, UNIX site: $row{case}", style => 'unix' } if !defined $row{style} && !$emulator;
    }
    die "$casesFile holds no cases\n" unless @rows;
    return @rows;
}

# The one describe the script sends for the versions at @$paths and the given settings; its
# marker, made afresh each run, reads @M@ (see calls()).
sub query {
    my ($paths, @settings) = @_;
    my $format = '@M@o\\n%m\\n%En\\n%Vn\\n' . join('', map { "\@M\@a\\n%[$_]a\\n" } 'QX_PRIVOPER', @settings) . '@M@e\\n';
    return join("\t", 'describe', '-fmt', $format, map { "$_\@\@/main/0" } @$paths);
}

sub calls { return map { s/\@zan[0-9a-f.]+\@/\@M\@/gr } readLines($_[0]) }

# Cases beyond the table: odd input, failures and the wording of the refusal.
sub extraCases {
    my %eve = (user => 'eve', op => 'checkout', target => 'element');
    my ($odd, $unixRoot) = (q{m:\zanview\proj\my dir\Grüße 'q' $(touch HACKED) ; & `id` a.c}, '/view/zanview/vobs/proj/.');
    my %unix = (CLEARCASE_VOB_PN => '/vobs/proj');
    return (
        { %eve, name => 'refusal names operation, element and who may', elem => 'bob,carol', admins => 'admin1,admin2', expect => 'deny',
          message => 'Zan Utility: eve may not checkout "m:\zanview\proj\src\a.c"; allowed: bob, carol and the administrators (admin1, admin2).' },
        { %eve, name => 'refusal of a type operation names the VOB', op => 'rmtype', target => 'type', root => 'bob', expect => 'deny',
          message => 'Zan Utility: eve may not rmtype in VOB \proj; allowed: bob.' },
        { %eve, name => 'refusal of a privileged element operation names the VOB-wide setting', op => 'rmelem', root => 'NONE',
          expect => 'deny', message => 'Zan Utility: eve may not rmelem "m:\zanview\proj\src\a.c"; allowed in VOB \proj: nobody.' },
        { %eve, name => 'refusal of a type creation names the kind', op => 'mktype', target => 'type', mtype => 'label type',
          kindroot => 'bob', expect => 'deny', message => 'Zan Utility: eve may not mktype (label type) in VOB \proj; allowed: bob.' },
        { %eve, name => 'refusal of a settings change names the administrators', op => 'rmattr', elem => 'ALL', typename => '__checkout',
          admins => 'admin1', expect => 'deny', message => 'Zan Utility: eve may not rmattr attribute __checkout: it holds Zan Utility'
          . ' settings, which only the administrators (admin1) may change.' },
        { %eve, name => 'refusal of a settings change names the VOB owner', op => 'mkattr', typename => 'QX_GROUPS',
          vobowner => 'DOMAIN\vobadm', expect => 'deny', message => 'Zan Utility: eve may not mkattr attribute QX_GROUPS: it holds'
          . ' Zan Utility settings, which only the VOB owner (DOMAIN\vobadm) may change.' },
        { %eve, name => 'the VOB owner without its domain', user => 'VOBADM', op => 'mkattr', typename => 'QX_GROUPS',
          vobowner => 'DOMAIN\vobadm', expect => 'allow' },
        { %eve, name => 'cleartool failing refuses the operation', elem => 'ALL', expect => 'deny',
          fake => { FAIL => 'Unable to access "m:\zanview\proj\src\a.c@@/main/0": Permission denied.' },
          message => qr/^Zan Utility: checkout "m:\\zanview\\proj\\src\\a\.c" is refused for eve: its access settings could not be read, so nothing is allowed \(cleartool failed with exit status 1: cleartool: Error: Unable to access .*Permission denied\.\)\.$/ },
        { %eve, name => 'cleartool missing refuses the operation', expect => 'deny', noCleartool => 1,
          message => qr/could not be read.*could not be started/ },
        { %eve, name => 'administrator passes without asking cleartool', user => 'Admin1', admins => 'admin1',
          noCleartool => 1, expect => 'allow', calls => [] },
        { %eve, name => 'missing operation is refused', env => { CLEARCASE_OP_KIND => undef }, expect => 'deny', message =>
          'Zan Utility: The operation is refused for eve: the trigger environment does not name it (CLEARCASE_OP_KIND is not set).' },
        { %eve, name => 'Windows line ends', elem => 'eve', expect => 'allow', fake => { CRLF => 1 } },
        { %eve, name => 'odd element path reaches cleartool unchanged and unexpanded', expect => 'allow', env => { CLEARCASE_PN => $odd },
          fixture => ["$odd\t__checkout\teve"], calls => [query([$ROOT, $odd], '__checkout')], noFile => 'HACKED' },
        (map { { %eve, name => "$_ follows the directory that receives the name", op => $_, expect => 'deny',
                 env => { CLEARCASE_PN => 'm:\zanview\proj\src\new.c' }, fixture => ["m:\\zanview\\proj\\src\t__$_\tbob"],
                 calls => [query([$ROOT, 'm:\zanview\proj\src'], "__$_")] } } qw(mkelem mkslink lnname)),
        { %eve, name => 'mkelem at the top of the VOB follows the VOB root', op => 'mkelem', expect => 'allow',
          env => { CLEARCASE_PN => 'm:\zanview\proj\new.c' }, fixture => ["$ROOT\t__mkelem\teve"] },
        { %eve, name => 'Unix client: a privileged operation follows the Unix VOB root', user => 'bob', op => 'rmelem', expect => 'allow',
          env => { %unix, CLEARCASE_PN => '/view/zanview/vobs/proj/src/a.c' }, fixture => ["$unixRoot\t__rmelem\tbob", $unixRoot, '/view/zanview/vobs/proj/src/a.c'],
          calls => [query([$unixRoot, '/view/zanview/vobs/proj/src/a.c'], '__rmelem')] },
        { %eve, name => 'Unix client: mkelem follows the receiving directory', op => 'mkelem', expect => 'allow',
          env => { %unix, CLEARCASE_PN => '/view/zanview/vobs/proj/src/new.c' },
          fixture => ["/view/zanview/vobs/proj/src\t__mkelem\teve", $unixRoot] },
        { %eve, name => 'drive given with its colon, view and VOB taken from the path', op => 'rmelem', root => 'bob', args => ['m:'],
          env => { CLEARCASE_VIEW_TAG => undef, CLEARCASE_VOB_PN => undef }, expect => 'deny',
          calls => [query([$ROOT, $ELEMENT], '__rmelem')] },
        { %eve, name => 'a type selector as path follows the VOB root', op => 'lock', root => 'NONE', expect => 'deny',
          env => { CLEARCASE_PN => 'lbtype:REL1@\proj', CLEARCASE_MTYPE => undef }, calls => [query([$ROOT], '__lock')] },
        { %eve, name => 'a refusal is recorded in the log folder beside the script', elem => 'bob', expect => 'deny', refusalLog => 1,
          recorded => qr/^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ\t[^\t]+\teve\tcheckout\tm:\\zanview\\proj\\src\\a\.c\t\\proj\t__checkout\teve may not checkout "m:\\zanview\\proj\\src\\a\.c"; allowed: bob\.$/ },
        { %eve, name => 'an allowed operation records nothing', elem => 'eve', expect => 'allow', refusalLog => 1 },
        { %eve, name => 'a refusal log that cannot be written changes no decision', elem => 'bob', expect => 'deny',
          refusalLog => 'unwritable', message => 'Zan Utility: eve may not checkout "m:\zanview\proj\src\a.c"; allowed: bob.' },
        { %eve, name => 'type operation without a known VOB is refused', op => 'rmtype', target => 'type',
          env => { CLEARCASE_VOB_PN => undef }, expect => 'deny',
          message => qr/rmtype in an unknown VOB is refused for eve: the VOB root directory cannot be determined/ },
    );
}

# Runs a program in $cwd with the variables matching $drop removed and %$env set (undef
# removes one); returns its exit status and output lines.
sub spawn {
    my ($cwd, $env, $drop, @command) = @_;
    local %ENV = %ENV;
    delete $ENV{$_} for grep { /$drop/ } keys %ENV;
    while (my ($name, $value) = each %$env) { if (defined $value) { $ENV{$name} = $value } else { delete $ENV{$name} } }
    my $pid = fork() // die "fork: $!\n";
    if ($pid == 0) {
        chdir($cwd) or die "chdir $cwd: $!\n";
        open(STDOUT, '>', $OUTPUT) or die "redirect: $!\n";
        open(STDERR, '>&', \*STDOUT) or die "redirect: $!\n";
        exec { $command[0] } @command or die "exec $command[0]: $!\n";
    }
    waitpid($pid, 0);
    return ($? >> 8, readLines($OUTPUT));
}

# Runs the script for one case with the fake cleartool; returns (exit code, output lines,
# cleartool calls, folder).
sub runScript {
    my ($case) = @_;
    my $dir = tempdir(CLEANUP => 1);
    my %fake = (%{ $case->{fake} || {} }, FIXTURE => "$dir/fixture.txt", LOG => "$dir/cleartool.log");
    my ($element, $root, $vob, $drive) = sitePaths($case);
    my @decoys = $drive eq 'm' ? () : ("vob\t/vobs/dev\tvobadm", "vob\t/vobs/dev/projx\tvobadm");
    writeFile($fake{FIXTURE}, join('', map { "$_\n" } $element, $root, "vob\t$vob\t" . ($case->{vobowner} // 'vobadm'), @decoys,
                                   (map { join("\t", @$_) } settings($case)), @{ $case->{fixture} || [] }));
    writeFile($fake{LOG}, '');
    make_path("$dir/bin");
    writeFile("$dir/bin/cleartool", "#!/bin/sh\n" . join('', map { "FAKE_CT_$_='$fake{$_}'; export FAKE_CT_$_\n" }
                                                      grep { defined $fake{$_} } sort keys %fake)
                                    . "exec '$^X' '$here/fake_cleartool.pl' \"\$@\"\n");
    chmod(0755, "$dir/bin/cleartool");
    my %env = (scenarioEnvironment($case), PATH => ($case->{noCleartool} ? '' : "$dir/bin:") . '/usr/bin:/bin', %{ $case->{env} || {} });
    my @args = $case->{args} ? @{ $case->{args} } : ($drive, defined $case->{admins} ? ($case->{admins}) : ());
    my $run = $script;
    if ($case->{refusalLog}) { # the script at a trigger location with a log folder
        make_path("$dir/location/log");
        copy($script, $run = "$dir/location/_qx_security_trigger.pl") or die "copy: $!\n";
        my @now = gmtime();
        # this month's file taken by a folder: no append can open it, not even root's
        make_path(sprintf("$dir/location/log/refusals-%04d-%02d.log", $now[5] + 1900, $now[4] + 1)) if $case->{refusalLog} eq 'unwritable';
    }
    my ($status, @output) = spawn($dir, \%env, qr/^(CLEARCASE_|ZAN_|FAKE_CT_|PERL|USER$|USERNAME$)/, $^X, $run, @args);
    return ($status, \@output, [calls($fake{LOG})], $dir);
}

# The element, VOB root, VOB tag and first script argument of a row's site: Windows, or UNIX
# with a VOB tag of three components beside tags that a path split by hand would take.
sub sitePaths {
    my ($case) = @_;
    return ($ELEMENT, $ROOT, $VOB, 'm') if ($case->{style} // '') ne 'unix';
    return ('/view/zanview/vobs/dev/proj/src/a.c', '/view/zanview/vobs/dev/proj/.', '/vobs/dev/proj', '/view');
}

sub typeKind { return $_[0]{mtype} // ($_[0]{target} eq 'type' ? 'attribute type' : 'version') }

sub kindSetting { my $kind = $KIND{ typeKind($_[0]) }; return $kind ? "mk${kind}type" : undef }

sub scenarioEnvironment {
    my ($case) = @_;
    my $kind = typeKind($case);
    my ($element, undef, $vob) = sitePaths($case);
    my %env = (CLEARCASE_OP_KIND => $case->{op}, CLEARCASE_VIEW_TAG => 'zanview', CLEARCASE_VOB_PN => $vob,
               CLEARCASE_TRTYPE_KIND => 'pre-operation', CLEARCASE_MTYPE => $kind);
    $env{CLEARCASE_USER} = $case->{user} if $case->{user} ne '';
    $env{CLEARCASE_OVERRIDE} = $case->{override} if defined $case->{override};
    $env{CLEARCASE_PN} = $element if $case->{target} ne 'type';
    if ($case->{op} =~ /^(mkattr|rmattr)$/) {
        $env{CLEARCASE_ATTYPE} = $case->{typename} // 'Level';
    } elsif ($case->{target} eq 'type' && $KIND{$kind}) {
        $env{'CLEARCASE_' . uc($KIND{$kind}) . 'TYPE'} = $case->{typename} // 'REL1';
    }
    return %env;
}

# Attributes as (path, name, value) in the order they are written, values escaped as in the table.
sub settings {
    my ($case) = @_;
    my ($ELEMENT, $ROOT) = sitePaths($case);
    my @set;
    push @set, [$ELEMENT, split(/=/, $case->{other}, 2)] if defined $case->{other};
    push @set, [$ELEMENT, "__$case->{op}", $case->{elem}] if defined $case->{elem};
    push @set, [$ROOT, "__$case->{op}", $case->{root}] if defined $case->{root};
    push @set, [$ROOT, 'QX_PRIVOPER', $case->{privoper}] if defined $case->{privoper};
    push @set, [$ROOT, '__' . kindSetting($case), $case->{kindroot}] if defined $case->{kindroot} && kindSetting($case);
    return @set;
}

sub check {
    my ($case, $status, $output, $calls, $dir) = @_;
    my ($line, $shown) = ($output->[0] // '', join(' | ', @$output));
    my @problems;
    if ($case->{expect} eq 'allow') {
        push @problems, "expected allow (exit 0, silent), got exit $status: $shown" if $status != 0 || @$output;
    } else {
        push @problems, "expected one refusal line and exit 1, got exit $status: $shown"
            unless $status == 1 && @$output == 1 && $line =~ /^Zan Utility: /;
        push @problems, "refusal does not name $case->{user} and $case->{op}: $line"
            if $case->{fromTable} && $case->{user} ne '' && !(index($line, $case->{user}) >= 0 && $line =~ /\b\Q$case->{op}\E\b/);
    }
    my $message = $case->{message};
    push @problems, "message differs:\n      got:    $line\n      wanted: $message"
        if defined $message && !(ref($message) ? $line =~ $message : $line eq $message);
    my ($got, $wanted) = (join("\n", @$calls), join("\n", @{ $case->{calls} || [] }));
    push @problems, "cleartool calls differ:\n      got:    $got\n      wanted: $wanted" if $case->{calls} && $got ne $wanted;
    push @problems, "a shell ran: $case->{noFile} was created" if $case->{noFile} && -e "$dir/$case->{noFile}";
    if ($case->{refusalLog}) {
        my @recorded = map { readLines($_) } grep { -f $_ } glob("$dir/location/log/refusals-*.log");
        my $wanted = $case->{recorded} ? 1 : 0;
        push @problems, "expected $wanted line(s) in the refusal log, found: " . join(' | ', @recorded) if @recorded != $wanted;
        push @problems, "refusal log line differs: $recorded[0]" if $wanted && @recorded == 1 && $recorded[0] !~ $case->{recorded};
    }
    # Given the VOB as ClearCase gives it, a decision costs at most one cleartool call.
    push @problems, 'cleartool ran ' . @$calls . " times:\n      " . join("\n      ", @$calls)
        if @$calls > 1 && ($case->{env}{CLEARCASE_VOB_PN} // 'given') ne '';
    return @problems;
}

# --- through the emulator -----------------------------------------------------------------

my ($simFolder, $simOwner, $simRow, %simAttributes);

sub unescape { return $_[0] =~ s/\\(.)/$1 eq 'n' ? "\n" : $1 eq 't' ? "\t" : $1/ger }

# The command that performs the row's operation, or () when the emulator has none for it.
sub emulatedCommand {
    my ($case) = @_;
    my ($op, $kind) = ($case->{op}, typeKind($case));
    if ($case->{target} eq 'element') {
        my $attribute = ($case->{typename} // '') ne '' ? $case->{typename} : 'Level';
        return ($op, '-nc', $MAIN) if $op =~ /^(checkout|rmelem|lock|unlock|reserve)$/;
        return ('chtype', '-nc', 'text_file', $MAIN) if $op eq 'chtype';
        return ('mkelem', '-nc', "m:\\bob_dev\\proj\\src\\new_$simRow.c") if $op eq 'mkelem';
        return ('mkattr', '-replace', '-nc', $attribute, '"x"', "$MAIN\@\@/main/0") if $op eq 'mkattr';
        return ('rmattr', '-nc', $attribute, "$MAIN\@\@/main/0") if $op eq 'rmattr';
        return ();
    }
    my $name = $case->{typename} // "ZAN_T$simRow";
    my $selector = ($KIND{$kind} || 'lb') . "type:$name\@\\proj";
    return typeMaker($kind, $name) if $op eq 'mktype' || $op eq (kindSetting($case) // '');
    return ('rmtype', '-nc', $selector) if $op eq 'rmtype';
    return ('rntype', '-nc', $selector, "${name}_2") if $op eq 'rntype';
    return ($op, '-nc', $selector) if $op =~ /^(lock|unlock)$/;
    return ();
}

# The command that makes a type of the kind; () for a kind the emulator cannot make.
sub typeMaker {
    my ($kind, $name) = @_;
    my %makers = ('label type' => ['mklbtype'], 'hyperlink type' => ['mkhltype'],
                  'element type' => ['mkeltype', '-supertype', 'text_file'], 'attribute type' => ['mkattype', '-vtype', 'string'],
                  'trigger type' => ['mktrtype', '-replace', '-element', '-all', '-preop', 'checkout', '-exec', 'perl -e 0']);
    return $makers{$kind} ? (@{ $makers{$kind} }, '-nc', "$name\@\\proj") : ();
}

sub playable {
    my ($case) = @_;
    # ClearCase, not the caller, sets the trigger variables.
    return 0 if defined $case->{reply} || defined $case->{style} || $case->{user} eq '' || grep { /^CLEARCASE_/ } keys %{ $case->{env} };
    return 0 if ($case->{typename} // 'x') eq '' || ($case->{target} eq 'type' && !defined $case->{typename} && $case->{op} eq 'mktype');
    $simRow = 0;
    return scalar(emulatedCommand($case));
}

sub simulate {
    my ($user, $env, @words) = @_;
    my $view = "$simFolder/drives/m/bob_dev/proj";
    my ($status, @lines) = spawn(-d $view ? $view : $simFolder, { ZAN_SANDBOX => $simFolder, CLEARCASE_USER => $user, PWD => $view, %{ $env || {} } },
                                 qr/^(CLEARCASE_|PERL)/, $emulator, @words);
    return ($status, join("\n", @lines));
}

# Installs the triggers with the case's administrators and writes its settings, removing
# those of the case before; returns the problem, "" when all went well.
sub setUpEmulated {
    my ($case) = @_;
    unless ($simFolder) {
        $simFolder = tempdir(CLEANUP => 1);
        my ($status, $text) = simulate('zansetup', {}, 'describe', '-long', 'vob:\proj');
        die "cleartool-sim does not start: $text\n" unless $status == 0 && $text =~ /^\s+owner (\S+)$/m;
        $simOwner = $1;
        make_path("$simFolder/drives/c/triggers");
        copy($script, "$simFolder/drives/c/triggers/_qx_security_trigger.pl") or die "copy: $!\n";
    }
    $simRow++;
    my $action = 'perl c:\triggers\_qx_security_trigger.pl m ' . ($case->{admins} // '');
    my @setup = (
        ['mktrtype', '-replace', '-element', '-all', '-preop', 'MODIFY_DATA,MODIFY_ELEM,MODIFY_MD', '-nusers', 'zansetup',
         '-exec', $action, '-nc', '_KORVANE_SECURITY1@\proj'],
        ['mktrtype', '-replace', '-type', '-preop', 'MODIFY_TYPE', '-nusers', 'zansetup',
         (map { ("-${_}type", '-all') } sort values %KIND), '-exec', $action, '-nc', '_KORVANE_SECURITY2@\proj'],
        map { my ($path, $name) = split(/\t/); ['rmattr', '-nc', $name, "$path\@\@/main/0"] } sort keys %simAttributes);
    %simAttributes = ();
    my %paths = ($ELEMENT => $MAIN, $ROOT => 'm:\bob_dev\proj\.');
    foreach my $setting (settings($case)) {
        my ($path, $name, $value) = ($paths{ $setting->[0] }, $setting->[1], unescape($setting->[2]));
        push @setup, ['mkattype', '-nc', '-vtype', 'string', "$name\@\\proj"], ['mkattr', '-replace', '-nc', $name, "\"$value\"", "$path\@\@/main/0"];
        $simAttributes{"$path\t$name"} = 1;
    }
    foreach my $words (@setup) {
        my ($status, $text) = simulate('zansetup', {}, @$words);
        return "setup failed: @$words: $text" if $status != 0 && $words->[0] =~ /^(mktrtype|mkattr)$/;
    }
    return '';
}

sub runEmulated {
    my ($case) = @_;
    my $problem = setUpEmulated($case);
    return (-1, $problem) if $problem ne '';
    my $user = lc($case->{user}) eq lc($case->{vobowner} // 'vobadm') ? $simOwner : $case->{user};
    my @command = emulatedCommand($case);
    # A type is locked or unlocked once it exists; the tool's trigger types always do.
    my $type = $case->{typename} // "ZAN_T$simRow";
    simulate('zansetup', {}, typeMaker(typeKind($case), $type))
        if $case->{target} eq 'type' && $case->{op} =~ /^(lock|unlock)$/ && $type !~ /^_KORVANE_/;
    $simAttributes{"$MAIN\t$command[3]"} = 1 if $command[0] eq 'mkattr';
    return simulate($user, $case->{env}, @command);
}

# The trigger decides: an allowed row is never refused by it; a denied one is refused with
# the script's one line and ClearCase's refusal.
sub checkEmulated {
    my ($case, $status, $output) = @_;
    return ($output) if $status < 0;
    my @lines = grep { /^Zan Utility: / } split(/\n/, $output);
    my $refused = $output =~ /cleartool: Warning: Trigger "_KORVANE_SECURITY[12]" has refused to let \S+ proceed\./;
    return $refused || @lines ? ("expected the trigger to allow, got: $output") : () if $case->{expect} eq 'allow';
    return () if $refused && @lines == 1 && $status == 1;
    return ("expected one refusal line and the trigger's refusal, got status $status: $output");
}

# --- attacks on the installed chain --------------------------------------------------------

sub redTeamAttacks {
    my $decoys = tempdir(CLEANUP => 1);
    make_path("$decoys/drive/triggers");
    writeFile("$decoys/drive/triggers/_qx_security_trigger.pl", "exit 0;\n");
    my ($version, $root, $t1, $t2) = ("$MAIN\@\@/main/0", 'm:\bob_dev\proj\.@@/main/0', 'trtype:_KORVANE_SECURITY1@\proj', 'trtype:_KORVANE_SECURITY2@\proj');
    # (what it goes after, how, commands eve runs first, her environment)
    my @attacks = (
        ['settings', 'remove the element setting', [['rmattr', '-nc', '__checkout', $version]]],
        ['settings', 'replace the element setting with oneself', [['mkattr', '-replace', '-nc', '__checkout', '"eve"', $version]]],
        ['settings', 'record a privileged list that moves checkout to the root', [['mkattr', '-replace', '-nc', 'QX_PRIVOPER', '"checkout"', $root]]],
        ['settings', 'redefine the setting attribute type', [['mkattype', '-replace', '-vtype', 'string', '-nc', '__checkout@\proj']]],
        ['triggers', 'remove the element trigger type', [['rmtype', '-nc', $t1]]],
        ['triggers', 'remove it skipping the triggers', [['rmtype', '-ignore', '-rmall', '-force', '-nc', $t1]]],
        ['triggers', 'remove the type trigger type first', [['rmtype', '-ignore', '-nc', $t2], ['rmtype', '-nc', $t1]]],
        ['triggers', 'replace the element trigger with one that allows',
         [['mktrtype', '-replace', '-element', '-all', '-preop', 'checkout', '-exec', 'perl -e 0', '-nc', '_KORVANE_SECURITY1@\proj']]],
        ['triggers', 'rename and lock the trigger types', [['rntype', '-nc', $t2, 'X'], ['lock', '-nc', $t1]]],
        ['environment', 'name another cleartool for the script', [], { ZAN_CLEARTOOL => $liar }],
        ['environment', 'put a lying cleartool first on the PATH', [], { PATH => "$evil/bin:$ENV{PATH}" }],
        ['environment', 'load Perl modules of ones own', [], { PERL5LIB => $evil, PERLLIB => $evil }],
        ['environment', 'pass Perl options', [], { PERL5OPT => "-I$evil -w" }],
        ['environment', 'map drive c to a folder of ones own', [], { ZAN_DRIVES => "c=$decoys/drive" }],
        ['environment', 'leave no room for the scripts temporary file', [], { TMPDIR => "$decoys/none", TEMP => "$decoys/none" }],
        ['names', 'make an element named ..', [['mkelem', '-nc', 'm:\bob_dev\proj\src\..']]],
    );
    my %restricted = (user => 'eve', op => 'checkout', target => 'element', elem => 'bob', admins => 'admin1',
                      other => 'QX_GROUPS=dev', privoper => 'mktype,rmtype,rmelem', expect => 'deny');
    return ((map { { %restricted, name => "$_->[0]: $_->[1]", commands => $_->[2], env => $_->[3] || {} } } @attacks),
            { %restricted, name => 'administrators: their writes pass', admin => 1, commands => [
                ['mkattr', '-replace', '-nc', '__checkout', '"bob,carol"', $version], ['rmattr', '-nc', 'QX_GROUPS', $version],
                ['mkattype', '-vtype', 'string', '-nc', '__mkbranch@\proj'], ['mkattr', '-replace', '-nc', 'QX_PRIVOPER', '"rmelem"', $root]] });
}

sub runAttack {
    my ($case) = @_;
    my $problem = setUpEmulated($case);
    return ($problem) if $problem ne '';
    return map { (simulate('admin1', {}, @$_))[0] ? ("refused: @$_") : () } @{ $case->{commands} } if $case->{admin};
    simulate('eve', $case->{env}, @$_) for @{ $case->{commands} };
    my @problems = checkEmulated($case, simulate('eve', $case->{env}, 'checkout', '-nc', $MAIN));
    my (undef, $setting) = simulate('zansetup', {}, 'describe', '-fmt', '%[__checkout]a', $MAIN);
    push @problems, "the setting changed: $setting" unless $setting eq '(__checkout="bob")';
    my (undef, $types) = simulate('zansetup', {}, 'lstype', '-kind', 'trtype', '-short', '-invob', '\proj');
    push @problems, map { $types =~ /^\Q$_\E$/m ? () : "trigger type $_ is gone" } ('_KORVANE_SECURITY1', '_KORVANE_SECURITY2');
    return @problems;
}

sub writeFile {
    my ($file, $text) = @_;
    open(my $out, '>:raw', $file) or die "cannot write $file: $!\n";
    print $out $text;
    close($out);
}

sub readLines {
    my ($file) = @_;
    open(my $in, '<:raw', $file) or return ();
    return map { s/\r?\n$//r } <$in>;
}
