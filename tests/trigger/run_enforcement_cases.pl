#!/usr/bin/perl
# Plays every line of enforcement-cases.tsv, and the extra cases below, against the security
# trigger script with fake_cleartool.pl answering its queries as "cleartool".
# With --emulator, the table's rows are instead played through cleartool-sim: the script is
# installed as the VOB's triggers, the settings are written with cleartool, and the
# operation is run as the row's user; the trigger must refuse exactly the denied ones.
# With --red-team as well, attacks on that installed chain are played instead, grouped by
# what they go after: after each one, eve's checkout of main.c (restricted to bob) must still
# be refused, the setting unchanged and both trigger types in place.
# Usage: perl run_enforcement_cases.pl [--script <trigger script>] [--cases <table>]
#                                      [--emulator <cleartool-sim> [--red-team]]
use strict;
use warnings;
use File::Basename qw(dirname);
use File::Copy qw(copy);
use File::Path qw(make_path);
use File::Spec;
use File::Temp qw(tempdir);
use Getopt::Long;

my $here = File::Spec->rel2abs(dirname(__FILE__));
my $script = File::Spec->catfile($here, '..', '..', 'trigger', '_qx_security_trigger.pl');
my $casesFile = File::Spec->catfile($here, 'enforcement-cases.tsv');
my ($emulator, $redTeam);
GetOptions('script=s' => \$script, 'cases=s' => \$casesFile, 'emulator=s' => \$emulator, 'red-team' => \$redTeam)
    or die "bad arguments\n";
$script = File::Spec->rel2abs($script);
$emulator = File::Spec->rel2abs($emulator) if $emulator;
my $fakeCleartool = File::Spec->catfile($here, 'fake_cleartool.pl');
my @COLUMNS = qw(case user op target elem root admins override expect
                 privoper mtype typename kindroot vobowner other env reply scope);

my $ELEMENT = 'm:\zanview\proj\src\a.c';
my $ROOT = 'm:\zanview\proj\.';
my $VOB = '\proj';
my $evil = evilModules();

my @cases = readTable($casesFile);
@cases = $redTeam ? redTeamAttacks() : $emulator ? grep { playableInEmulator($_) } @cases : (@cases, extraCases());
my ($passed, $failed) = (0, 0);
foreach my $case (@cases) {
    my @problems = $redTeam ? runAttack($case) : $emulator ? checkEmulated($case, runEmulated($case)) : check($case, runCase($case));
    if (@problems) {
        $failed++;
        print "FAIL: $case->{name}\n", map { "    $_\n" } @problems;
    } else {
        $passed++;
    }
}
print "$passed passed, $failed failed\n";
exit($failed ? 1 : 0);

sub readTable {
    my ($file) = @_;
    open(my $in, '<', $file) or die "cannot read $file: $!\n";
    my @rows;
    while (my $line = <$in>) {
        $line =~ s/\r?\n$//;
        next if $line =~ /^#/ || $line =~ /^\s*$/ || $line =~ /^case\t/;
        my @f = split(/\t/, $line, -1);
        die "$file line $.: expected " . @COLUMNS . ' fields, found ' . @f . "\n" unless @f == @COLUMNS;
        my %row = map { $COLUMNS[$_] => $f[$_] } 0 .. $#COLUMNS;
        $row{$_} = absentIfDash($row{$_}) for qw(elem root override privoper mtype typename kindroot vobowner other env reply);
        $row{admins} = undef if $row{admins} eq '';
        push @rows, { %row, name => "table: $row{case}", fromTable => 1,
                      env => parseEnvironment($row{env}), fake => { REPLY => $row{reply} } };
    }
    close($in);
    die "$file holds no cases\n" unless @rows;
    return @rows;
}

sub absentIfDash { return $_[0] eq '-' ? undef : $_[0] }

sub parseEnvironment {
    my ($text) = @_;
    return {} unless defined $text;
    return { map { my ($n, $v) = split(/=/, $_, 2); ($n => $v =~ s/\@EVIL\@/$evil/gr) } split(/;/, $text) };
}

# Modules that let every operation through the moment they are loaded.
sub evilModules {
    my $dir = tempdir(CLEANUP => 1);
    writeFile(File::Spec->catfile($dir, "$_.pm"), "package $_;\nexit 0;\n1;\n") for qw(strict warnings Fcntl);
    return $dir;
}

sub query { return join("\t", 'describe', '-fmt', "%m\\n%En\\n%Vn\\n%[$_[1]]a", "$_[0]\@\@/main/0") }

# Cases beyond the table: odd input, failures and the wording of the refusal.
sub extraCases {
    my %eve = (user => 'eve', op => 'checkout', target => 'element');
    return (
        { %eve, name => 'refusal names operation, element and who may', elem => 'bob,carol',
          admins => 'admin1,admin2', expect => 'deny',
          message => 'Zan Utility: eve may not checkout "m:\zanview\proj\src\a.c"; allowed: bob, carol'
                     . ' and the administrators (admin1, admin2).' },
        { %eve, name => 'refusal of a type operation names the VOB', op => 'rmtype', target => 'type',
          root => 'bob', expect => 'deny', message => 'Zan Utility: eve may not rmtype in VOB \proj; allowed: bob.' },
        { %eve, name => 'refusal of a privileged element operation names the VOB-wide setting',
          op => 'rmelem', root => 'NONE', expect => 'deny',
          message => 'Zan Utility: eve may not rmelem "m:\zanview\proj\src\a.c"; allowed in VOB \proj: nobody.' },
        { %eve, name => 'refusal of a type creation names the kind', op => 'mktype', target => 'type',
          mtype => 'label type', kindroot => 'bob', expect => 'deny',
          message => 'Zan Utility: eve may not mktype (label type) in VOB \proj; allowed: bob.' },
        { %eve, name => 'refusal of a settings change names the administrators', op => 'rmattr', elem => 'ALL',
          typename => '__checkout', admins => 'admin1', expect => 'deny',
          message => 'Zan Utility: eve may not rmattr attribute __checkout: it holds Zan Utility settings,'
                     . ' which only the administrators (admin1) may change.' },
        { %eve, name => 'refusal of a settings change names the VOB owner', op => 'mkattr', typename => 'QX_GROUPS',
          vobowner => 'DOMAIN\vobadm', expect => 'deny',
          message => 'Zan Utility: eve may not mkattr attribute QX_GROUPS: it holds Zan Utility settings,'
                     . ' which only the VOB owner (DOMAIN\vobadm) may change.' },
        { %eve, name => 'the VOB owner without its domain', user => 'VOBADM', op => 'mkattr', typename => 'QX_GROUPS',
          vobowner => 'DOMAIN\vobadm', expect => 'allow' },
        { %eve, name => 'cleartool failing refuses the operation', elem => 'ALL', expect => 'deny',
          fake => { FAIL => 'Unable to access "m:\zanview\proj\src\a.c@@/main/0": Permission denied.' },
          message => qr/^Zan Utility: checkout "m:\\zanview\\proj\\src\\a\.c" is refused for eve: its access settings could not be read, so nothing is allowed \(cleartool failed with exit status 1: cleartool: Error: Unable to access .*Permission denied\.\)\.$/ },
        { %eve, name => 'cleartool missing refuses the operation', expect => 'deny', noCleartool => 1,
          message => qr/could not be read.*could not be started/ },
        { %eve, name => 'administrator passes without asking cleartool', user => 'Admin1', admins => 'admin1',
          noCleartool => 1, expect => 'allow', calls => [] },
        { %eve, name => 'missing operation is refused', env => { CLEARCASE_OP_KIND => undef }, expect => 'deny',
          message => 'Zan Utility: The operation is refused for eve: the trigger environment does not name it'
                     . ' (CLEARCASE_OP_KIND is not set).' },
        { %eve, name => 'Windows line ends', elem => 'eve', expect => 'allow', fake => { CRLF => 1 } },
        { %eve, name => 'odd element path reaches cleartool unchanged and unexpanded', expect => 'allow',
          env => { CLEARCASE_PN => q{m:\zanview\proj\my dir\Grüße 'q' $(touch HACKED) ; & `id` a.c} },
          fixture => [qq{m:\\zanview\\proj\\my dir\\Grüße 'q' \$(touch HACKED) ; & `id` a.c\t__checkout\teve}],
          calls => [query($ROOT, 'QX_PRIVOPER'),
                    query(qq{m:\\zanview\\proj\\my dir\\Grüße 'q' \$(touch HACKED) ; & `id` a.c}, '__checkout')],
          noFile => 'HACKED' },
        { %eve, name => 'mkelem follows the directory that receives the name', op => 'mkelem', expect => 'deny',
          env => { CLEARCASE_PN => 'm:\zanview\proj\src\new.c' }, fixture => ["m:\\zanview\\proj\\src\t__mkelem\tbob"],
          calls => [query($ROOT, 'QX_PRIVOPER'), query('m:\zanview\proj\src', '__mkelem')] },
        { %eve, name => 'mkelem at the top of the VOB follows the VOB root', op => 'mkelem', expect => 'allow',
          env => { CLEARCASE_PN => 'm:\zanview\proj\new.c' }, fixture => ["$ROOT\t__mkelem\teve"] },
        { %eve, name => 'Unix client: a privileged operation follows the Unix VOB root', user => 'bob', op => 'rmelem',
          env => { CLEARCASE_PN => '/view/zanview/vobs/proj/src/a.c', CLEARCASE_VOB_PN => '/vobs/proj' },
          fixture => ["/view/zanview/vobs/proj/.\t__rmelem\tbob", '/view/zanview/vobs/proj/.'], expect => 'allow',
          calls => [query('/view/zanview/vobs/proj/.', 'QX_PRIVOPER'), query('/view/zanview/vobs/proj/.', '__rmelem')] },
        { %eve, name => 'Unix client: mkelem follows the receiving directory', op => 'mkelem',
          env => { CLEARCASE_PN => '/view/zanview/vobs/proj/src/new.c', CLEARCASE_VOB_PN => '/vobs/proj' },
          fixture => ["/view/zanview/vobs/proj/src\t__mkelem\teve", '/view/zanview/vobs/proj/.'], expect => 'allow' },
        { %eve, name => 'drive given with its colon, view and VOB taken from the path', op => 'rmelem',
          root => 'bob', args => ['m:'], env => { CLEARCASE_VIEW_TAG => undef, CLEARCASE_VOB_PN => undef },
          expect => 'deny', calls => [query($ROOT, 'QX_PRIVOPER'), query($ROOT, '__rmelem')] },
        { %eve, name => 'a type selector as path follows the VOB root', op => 'lock', root => 'NONE', expect => 'deny',
          env => { CLEARCASE_PN => 'lbtype:REL1@\proj', CLEARCASE_MTYPE => undef },
          calls => [query($ROOT, 'QX_PRIVOPER'), query($ROOT, '__lock')] },
        { %eve, name => 'type operation without a known VOB is refused', op => 'rmtype', target => 'type',
          env => { CLEARCASE_VOB_PN => undef }, expect => 'deny',
          message => qr/rmtype in an unknown VOB is refused for eve: the VOB root directory cannot be determined/ },
    );
}

# Runs the script for one case; returns (exit code, output lines, cleartool calls, folder).
sub runCase {
    my ($case) = @_;
    my $dir = tempdir(CLEANUP => 1);
    my $fixture = File::Spec->catfile($dir, 'fixture.txt');
    my $log = File::Spec->catfile($dir, 'cleartool.log');
    writeFile($fixture, join('', map { "$_\n" } fixtureLines($case)));
    writeFile($log, '');
    my $bin = File::Spec->catfile($dir, 'bin');
    make_path($bin);
    my %fake = (%{ $case->{fake} || {} }, FIXTURE => $fixture, LOG => $log);
    writeFile(File::Spec->catfile($bin, 'cleartool'),
              "#!/bin/sh\n" . join('', map { "FAKE_CT_$_='$fake{$_}'; export FAKE_CT_$_\n" } grep { defined $fake{$_} } sort keys %fake)
              . "exec '$^X' '$fakeCleartool' \"\$@\"\n");
    chmod(0755, File::Spec->catfile($bin, 'cleartool'));

    local %ENV = %ENV;
    delete $ENV{$_} for grep { /^(CLEARCASE_|ZAN_|FAKE_CT_|PERL|USER$|USERNAME$)/ } keys %ENV;
    %ENV = (%ENV, scenarioEnvironment($case), PATH => ($case->{noCleartool} ? '' : "$bin:") . '/usr/bin:/bin');
    while (my ($name, $value) = each %{ $case->{env} || {} }) {
        if (defined $value) { $ENV{$name} = $value } else { delete $ENV{$name} }
    }

    my @args = $case->{args} ? @{ $case->{args} } : ('m', defined $case->{admins} ? ($case->{admins}) : ());
    my $output = File::Spec->catfile($dir, 'output.txt');
    my $pid = fork();
    die "fork: $!\n" unless defined $pid;
    if ($pid == 0) {
        chdir($dir) or die "chdir $dir: $!\n";
        open(STDOUT, '>', $output) or die "redirect: $!\n";
        open(STDERR, '>&', \*STDOUT) or die "redirect: $!\n";
        exec { $^X } $^X, $script, @args or die "exec $^X: $!\n";
    }
    waitpid($pid, 0);
    my $exitCode = $? >> 8;
    return ($exitCode, [readLines($output)], [readLines($log)], $dir);
}

sub typeKind {
    my ($case) = @_;
    return $case->{mtype} if defined $case->{mtype};
    return $case->{target} eq 'type' ? 'attribute type' : 'version';
}

sub typeVariable {
    my ($kind) = @_;
    my %variables = ('attribute type' => 'ATTYPE', 'branch type' => 'BRTYPE', 'element type' => 'ELTYPE',
                     'hyperlink type' => 'HLTYPE', 'label type' => 'LBTYPE', 'trigger type' => 'TRTYPE');
    return $variables{$kind} ? "CLEARCASE_$variables{$kind}" : undef;
}

sub scenarioEnvironment {
    my ($case) = @_;
    my %env = (CLEARCASE_OP_KIND => $case->{op}, CLEARCASE_VIEW_TAG => 'zanview', CLEARCASE_VOB_PN => $VOB,
               CLEARCASE_TRTYPE_KIND => 'pre-operation', CLEARCASE_MTYPE => typeKind($case));
    $env{CLEARCASE_USER} = $case->{user} if $case->{user} ne '';
    $env{CLEARCASE_OVERRIDE} = $case->{override} if defined $case->{override};
    $env{CLEARCASE_PN} = $ELEMENT if $case->{target} ne 'type';
    my $variable = $case->{op} =~ /^(mkattr|rmattr)$/ ? 'CLEARCASE_ATTYPE' : typeVariable(typeKind($case));
    $variable = undef if $case->{target} ne 'type' && $case->{op} !~ /^(mkattr|rmattr)$/;
    return %env unless defined $variable;
    my $ordinary = $case->{target} ne 'type' ? 'Level' : 'REL1';
    $env{$variable} = defined $case->{typename} ? $case->{typename} : $ordinary;
    return %env;
}

sub kindSetting {
    my %settings = ('attribute type' => 'mkattype', 'branch type' => 'mkbrtype', 'element type' => 'mkeltype',
                    'hyperlink type' => 'mkhltype', 'label type' => 'mklbtype', 'trigger type' => 'mktrtype');
    return $settings{ typeKind($_[0]) };
}

# Attributes as (path, name, value) in the order they are written, values in the table's
# escaped form.
sub settings {
    my ($case) = @_;
    my @set;
    push @set, [$ELEMENT, split(/=/, $case->{other}, 2)] if defined $case->{other};
    push @set, [$ELEMENT, "__$case->{op}", $case->{elem}] if defined $case->{elem};
    push @set, [$ROOT, "__$case->{op}", $case->{root}] if defined $case->{root};
    push @set, [$ROOT, 'QX_PRIVOPER', $case->{privoper}] if defined $case->{privoper};
    push @set, [$ROOT, '__' . kindSetting($case), $case->{kindroot}] if defined $case->{kindroot} && kindSetting($case);
    return @set;
}

sub fixtureLines {
    my ($case) = @_;
    my $owner = defined $case->{vobowner} ? $case->{vobowner} : 'vobadm';
    return ($ELEMENT, $ROOT, "vob\t$VOB\t$owner", (map { join("\t", @$_) } settings($case)),
            @{ $case->{fixture} || [] });
}

sub check {
    my ($case, $exitCode, $output, $calls, $dir) = @_;
    my @problems;
    my $shown = join(' | ', @$output);
    if ($case->{expect} eq 'allow') {
        push @problems, "expected allow (exit 0, silent), got exit $exitCode: $shown"
            if $exitCode != 0 || @$output;
    } elsif ($case->{expect} eq 'deny') {
        push @problems, "expected exit 1, got $exitCode" if $exitCode != 1;
        push @problems, 'expected exactly one line, got ' . @$output . ": $shown" if @$output != 1;
        my $line = defined $output->[0] ? $output->[0] : '';
        push @problems, "refusal does not start with the title: $line" unless $line =~ /^Zan Utility: /;
        if ($case->{fromTable} && $case->{user} ne '') {
            push @problems, "refusal does not name $case->{user} and $case->{op}: $line"
                unless index($line, $case->{user}) >= 0 && $line =~ /\b\Q$case->{op}\E\b/;
        }
    } else {
        push @problems, "unknown expectation '$case->{expect}'";
    }
    my $message = $case->{message};
    if (defined $message) {
        my $line = defined $output->[0] ? $output->[0] : '';
        my $matches = ref($message) ? $line =~ $message : $line eq $message;
        push @problems, "message differs:\n      got:    $line\n      wanted: $message" unless $matches;
    }
    if ($case->{calls}) {
        my ($got, $wanted) = (join("\n", @$calls), join("\n", @{ $case->{calls} }));
        push @problems, "cleartool calls differ:\n      got:    $got\n      wanted: $wanted" if $got ne $wanted;
    }
    push @problems, "a shell ran: $case->{noFile} was created"
        if $case->{noFile} && -e File::Spec->catfile($dir, $case->{noFile});
    return @problems;
}

# --- through the emulator -----------------------------------------------------------------

my ($simFolder, $simOwner, $simRow);

sub unescape {
    my ($text) = @_;
    $text =~ s/\\(.)/$1 eq 'n' ? "\n" : $1 eq 't' ? "\t" : $1/ge;
    return $text;
}

# The command that performs the row's operation, or () when the emulator has none for it.
sub emulatedCommand {
    my ($case) = @_;
    my ($op, $kind) = ($case->{op}, typeKind($case));
    my $element = 'm:\bob_dev\proj\src\main.c';
    my $attribute = defined $case->{typename} && $case->{typename} ne '' ? $case->{typename} : 'Level';
    my %selectorKind = ('attribute type' => 'attype', 'label type' => 'lbtype', 'trigger type' => 'trtype');
    my $name = defined $case->{typename} ? $case->{typename} : "ZAN_T$simRow";
    my $selector = ($selectorKind{$kind} || 'lbtype') . ":$name\@\\proj";
    if ($case->{target} eq 'element') {
        my %commands = (
            checkout => ['checkout', '-nc', $element], rmelem => ['rmelem', '-nc', $element],
            lock => ['lock', '-nc', $element], chtype => ['chtype', '-nc', 'text_file', $element],
            reserve => ['reserve', '-nc', $element], mkelem => ['mkelem', '-nc', "m:\\bob_dev\\proj\\src\\new_$simRow.c"],
            mkattr => ['mkattr', '-replace', '-nc', $attribute, '"x"', "$element\@\@/main/0"],
            rmattr => ['rmattr', '-nc', $attribute, "$element\@\@/main/0"]);
        return $commands{$op} ? @{ $commands{$op} } : ();
    }
    my %makers = ('label type' => ['mklbtype', '-nc', "$name\@\\proj"], 'hyperlink type' => ['mkhltype', '-nc', "$name\@\\proj"],
                  'element type' => ['mkeltype', '-supertype', 'text_file', '-nc', "$name\@\\proj"],
                  'attribute type' => ['mkattype', '-nc', '-vtype', 'string', "$name\@\\proj"],
                  'trigger type' => ['mktrtype', '-replace', '-element', '-all', '-preop', 'checkout', '-exec', 'perl -e 0',
                                     '-nc', "$name\@\\proj"]);
    return @{ $makers{$kind} || [] } if $op eq 'mktype' || $op eq kindSetting($case);
    return ('rmtype', '-nc', $selector) if $op eq 'rmtype';
    return ('rntype', '-nc', $selector, "${name}_2") if $op eq 'rntype';
    return ($op, '-nc', $selector) if $op eq 'lock' || $op eq 'unlock';
    return ();
}

sub playableInEmulator {
    my ($case) = @_;
    # ClearCase, not the caller, sets the trigger variables.
    return 0 if defined $case->{reply} || $case->{user} eq '' || grep { /^CLEARCASE_/ } keys %{ $case->{env} };
    return 0 if defined $case->{typename} && $case->{typename} eq '';
    return 0 if $case->{target} eq 'type' && !defined $case->{typename} && $case->{op} eq 'mktype';
    $simRow = 0;
    return scalar(emulatedCommand($case));
}

sub simulate {
    my ($user, $env, @words) = @_;
    local %ENV = %ENV;
    delete $ENV{$_} for grep { /^(CLEARCASE_|PERL)/ } keys %ENV;
    %ENV = (%ENV, ZAN_SANDBOX => $simFolder, CLEARCASE_USER => $user, %{ $env || {} });
    my $viewFolder = File::Spec->catfile($simFolder, qw(drives m bob_dev proj));
    $ENV{PWD} = $viewFolder;
    my $output = File::Spec->catfile($simFolder, 'output.txt');
    my $pid = fork();
    die "fork: $!\n" unless defined $pid;
    if ($pid == 0) {
        chdir(-d $viewFolder ? $viewFolder : $simFolder) or die "chdir: $!\n";
        open(STDOUT, '>', $output) or die "redirect: $!\n";
        open(STDERR, '>&', \*STDOUT) or die "redirect: $!\n";
        exec { $emulator } $emulator, @words or die "exec $emulator: $!\n";
    }
    waitpid($pid, 0);
    return ($? >> 8, join("\n", readLines($output)));
}

sub prepareEmulator {
    $simFolder = tempdir(CLEANUP => 1);
    my ($status, $text) = simulate('zansetup', {}, 'describe', '-long', 'vob:\proj');
    die "cleartool-sim does not start: $text\n" unless $status == 0 && $text =~ /^\s+owner (\S+)$/m;
    $simOwner = $1;
    make_path(File::Spec->catfile($simFolder, qw(drives c triggers)));
    copy($script, File::Spec->catfile($simFolder, qw(drives c triggers _qx_security_trigger.pl))) or die "copy: $!\n";
    $simRow = 0;
}

my %simAttributes;   # "path\tname" of every setting written so far

# Installs the triggers with the case's administrators and writes its settings, removing
# those of the case before; returns the problem, "" when all went well.
sub setUpEmulated {
    my ($case) = @_;
    prepareEmulator() unless $simFolder;
    $simRow++;
    my $admins = defined $case->{admins} ? $case->{admins} : '';
    my $action = "perl c:\\triggers\\_qx_security_trigger.pl m $admins";
    my @setup = (
        ['mktrtype', '-replace', '-element', '-all', '-preop', 'MODIFY_DATA,MODIFY_ELEM,MODIFY_MD', '-nusers', 'zansetup',
         '-exec', $action, '-nc', '_KORVANE_SECURITY1@\proj'],
        ['mktrtype', '-replace', '-type', '-preop', 'MODIFY_TYPE', '-nusers', 'zansetup', map({ ("-$_", '-all') }
         qw(attype brtype eltype hltype lbtype trtype)), '-exec', $action, '-nc', '_KORVANE_SECURITY2@\proj']);
    my %paths = ($ELEMENT => 'm:\bob_dev\proj\src\main.c', $ROOT => 'm:\bob_dev\proj\.');
    push @setup, ['rmattr', '-nc', (split(/\t/, $_))[1], (split(/\t/, $_))[0] . '@@/main/0'] for sort keys %simAttributes;
    %simAttributes = ();
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
    my %paths = ($ELEMENT => 'm:\bob_dev\proj\src\main.c');
    my $vobOwner = defined $case->{vobowner} ? $case->{vobowner} : 'vobadm';
    my $user = lc($case->{user}) eq lc($vobOwner) ? $simOwner : $case->{user};
    my @command = emulatedCommand($case);
    $simAttributes{"$paths{$ELEMENT}\t$command[3]"} = 1 if $command[0] eq 'mkattr';
    return simulate($user, $case->{env}, @command);
}

# The trigger decides: an allowed row is never refused by it; a denied one is refused with
# the script's one line and ClearCase's refusal.
sub checkEmulated {
    my ($case, $status, $output) = @_;
    return ($output) if $status < 0;
    my @lines = grep { /^Zan Utility: / } split(/\n/, $output);
    my $refused = $output =~ /cleartool: Warning: Trigger "_KORVANE_SECURITY[12]" has refused to let \S+ proceed\./;
    if ($case->{expect} eq 'allow') {
        return $refused || @lines ? ("expected the trigger to allow, got: $output") : ();
    }
    return () if $refused && @lines == 1 && $status == 1;
    return ("expected one refusal line and the trigger's refusal, got status $status: $output");
}

# --- attacks on the installed chain --------------------------------------------------------

sub redTeamAttacks {
    my $decoys = tempdir(CLEANUP => 1);
    make_path("$decoys/bin", "$decoys/drive/triggers");
    writeFile("$decoys/drive/triggers/_qx_security_trigger.pl", "exit 0;\n");
    writeFile("$decoys/bin/cleartool", "#!/bin/sh\nprintf 'version\\n%s\\n/main/0\\n' \"\$4\" | sed 's/\@\@.*//'\n");
    writeFile("$decoys/true", "#!/bin/sh\nexit 0\n");
    chmod(0755, "$decoys/bin/cleartool", "$decoys/true");
    my $version = 'm:\bob_dev\proj\src\main.c@@/main/0';
    my $root = 'm:\bob_dev\proj\.@@/main/0';
    my @attacks = (
        ['settings', 'remove the element setting', [['rmattr', '-nc', '__checkout', $version]]],
        ['settings', 'replace the element setting with oneself', [['mkattr', '-replace', '-nc', '__checkout', '"eve"', $version]]],
        ['settings', 'record a privileged list that moves checkout to the root',
         [['mkattr', '-replace', '-nc', 'QX_PRIVOPER', '"checkout"', $root]]],
        ['settings', 'redefine the setting attribute type', [['mkattype', '-replace', '-vtype', 'string', '-nc', '__checkout@\proj']]],
        ['triggers', 'remove the element trigger type', [['rmtype', '-nc', 'trtype:_KORVANE_SECURITY1@\proj']]],
        ['triggers', 'remove it skipping the triggers',
         [['rmtype', '-ignore', '-rmall', '-force', '-nc', 'trtype:_KORVANE_SECURITY1@\proj']]],
        ['triggers', 'remove the type trigger type first',
         [['rmtype', '-ignore', '-nc', 'trtype:_KORVANE_SECURITY2@\proj'], ['rmtype', '-nc', 'trtype:_KORVANE_SECURITY1@\proj']]],
        ['triggers', 'replace the element trigger with one that allows',
         [['mktrtype', '-replace', '-element', '-all', '-preop', 'checkout', '-exec', 'perl -e 0', '-nc', '_KORVANE_SECURITY1@\proj']]],
        ['triggers', 'rename and lock the trigger types',
         [['rntype', '-nc', 'trtype:_KORVANE_SECURITY2@\proj', 'X'], ['lock', '-nc', 'trtype:_KORVANE_SECURITY1@\proj']]],
        ['environment', 'name another cleartool for the script', [], { ZAN_CLEARTOOL => "$decoys/true" }],
        ['environment', 'put a lying cleartool first on the PATH', [], { PATH => "$decoys/bin:$ENV{PATH}" }],
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
                ['mkattype', '-vtype', 'string', '-nc', '__mkbranch@\proj'],
                ['mkattr', '-replace', '-nc', 'QX_PRIVOPER', '"rmelem"', $root]] });
}

sub runAttack {
    my ($case) = @_;
    my $problem = setUpEmulated($case);
    return ($problem) if $problem ne '';
    if ($case->{admin}) {
        my @refused = grep { (simulate('admin1', {}, @$_))[0] != 0 } @{ $case->{commands} };
        return map { "refused: @$_" } @refused;
    }
    simulate('eve', $case->{env}, @$_) for @{ $case->{commands} };
    my @problems = checkEmulated($case, simulate('eve', $case->{env}, 'checkout', '-nc', 'm:\bob_dev\proj\src\main.c'));
    my (undef, $setting) = simulate('zansetup', {}, 'describe', '-fmt', '%[__checkout]a', 'm:\bob_dev\proj\src\main.c');
    push @problems, "the setting changed: $setting" unless $setting eq '(__checkout="bob")';
    my (undef, $types) = simulate('zansetup', {}, 'lstype', '-kind', 'trtype', '-short', '-invob', '\proj');
    push @problems, map { $types =~ /^\Q$_\E$/m ? () : "trigger type $_ is gone" } ('_KORVANE_SECURITY1', '_KORVANE_SECURITY2');
    return @problems;
}

sub writeFile {
    my ($file, $text) = @_;
    open(my $out, '>', $file) or die "cannot write $file: $!\n";
    binmode($out);
    print $out $text;
    close($out);
}

sub readLines {
    my ($file) = @_;
    open(my $in, '<', $file) or return ();
    binmode($in);
    my @lines = map { s/\r?\n$//r } <$in>;
    close($in);
    return @lines;
}
